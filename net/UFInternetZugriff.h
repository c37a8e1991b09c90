#pragma once
// The internet search: looks the current artist, title or label up at a music
// web site of the user's choice, through a small local page that explains the
// search and links to the site's search address.
#include <QDialog>

#include "app/UDetailTexte.h"
#include "net/USuchseiten.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

class TFInternetZugriff : public QDialog {
  Q_OBJECT
 public:
  // Starts from the texts "felder" shows when the window opens.
  explicit TFInternetZugriff(const IDetailTexte& felder, QWidget* parent = nullptr);

  void FormShow();
  void SBInterpretClick();
  void SBTitelClick();
  void SBLabelClick();
  void BitBtn1Click();
  void LMailClick();
  // Writes "suchergebnis.html" and opens it in the default browser.
  void open_searchpage(const QString& adresse, const QString& homepage, const QString& beschreibung);

  // Builds the controls, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *LMail = nullptr;
  QLineEdit *EInterpret = nullptr, *ETitel = nullptr, *ELabel = nullptr;
  QComboBox *CBInterpret = nullptr, *CBTitel = nullptr, *CBLabel = nullptr;
  QToolButton *SBInterpret = nullptr, *SBTitel = nullptr, *SBLabel = nullptr;
  QPushButton* BitBtn1 = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  const IDetailTexte& felder_;
  void suchen(QLineEdit* edit, QComboBox* liste, TSuchart art, const QString& fehlt);
};
