#pragma once
// The collector's details of the marked entry, shown and edited: the condition
// of disc and sleeve, the purchase, the shelf, the rating, notes and a loan.
// Each field is applied on its own (one step of the history) when it loses
// the focus, and every pending field before the marking moves ("Voriger",
// "Nächster", Bild auf / Bild ab) or the window closes. A date or price that
// cannot be read is refused with a message and keeps the focus.
#include <QDialog>
#include <functional>
#include <vector>

#include "angaben/UAngaben.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TSterne;

class TFSammlerangaben : public QDialog {
  Q_OBJECT
 public:
  explicit TFSammlerangaben(QWidget* parent = nullptr);
  // Builds the controls, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  // Shows the details of the marked entry.
  void FormShow();
  // Applies every field that differs from the entry's details, one step each;
  // false when one cannot be read (it then has the focus).
  bool uebernehmen();
  // Moves the main list's marking by "schritt" entries and shows that entry.
  void blaettern(int schritt);
  // Closing (Esc, the button, the title bar) applies the pending field first.
  void done(int ergebnis) override;

  QLabel* L_eintrag = nullptr;
  QComboBox* combobox_zustandTontraeger = nullptr;
  QComboBox* combobox_zustandHuelle = nullptr;
  QLineEdit* e_aufgenommenAm = nullptr;
  QLineEdit* e_gekauftAm = nullptr;
  QLineEdit* e_preis = nullptr;
  QLineEdit* e_gekauftBei = nullptr;
  QLineEdit* e_standort = nullptr;
  TSterne* e_bewertung = nullptr;
  QPlainTextEdit* e_notizen = nullptr;
  QLineEdit* e_verliehenAn = nullptr;
  QLineEdit* e_verliehenSeit = nullptr;
  QLineEdit* e_zurueckBis = nullptr;
  QPushButton* b_voriger = nullptr;
  QPushButton* b_naechster = nullptr;
  QPushButton* b_schliessen = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  // One field of the window: how it reads into the details (false: refused,
  // with the message "fehler") and how it shows them.
  struct TFeld {
    QWidget* w;
    std::function<bool(TAngaben&)> lesen;
    std::function<void(const TAngaben&)> zeigen;
    QString fehler;
  };
  void felderAnlegen();
  void zeigen();
  bool feldUebernehmen(const TFeld& f);

  std::vector<TFeld> felder_;
  int pos_ = 0;             // the entry shown (1-based)
  bool uebernimmt_ = false;  // a field is being applied (its message may move the focus)
};

// The window, created at start as an empty shell; gone with the main window.
extern TFSammlerangaben* FSammlerangaben;
