#pragma once
// The program information window: seven pages about the program (logo and
// version, thanks, version history, terms of use, notes, feedback, author)
// with links to the home page, the forum and the author.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class TKlickLabel;

// Where the information window points to.
inline constexpr const char* DISKUSSION_ADRESSE = "https://www.vemla.de/forum/";
inline constexpr const char* AUTOR_HOMEPAGE = "https://www.vemla.de/autor/";
inline constexpr const char* WERKZEUG_HOMEPAGE = "https://www.qt.io/";

class TF_Programminformation : public QDialog {
  Q_OBJECT
 public:
  explicit TF_Programminformation(QWidget* parent = nullptr);
  // Builds the pages and their controls; runs once, when the window is first shown,
  // so that the program's start does not wait for them.
  void seitenAnlegen();

  // The text of one page, from the program's resources (":/info/<name>.txt").
  static QString seitentext(const QString& name);
  // "mailto:" address of the author with the subject "Vemla".
  static QString mailAdresse();

  QTabWidget* PageControl1 = nullptr;
  QWidget *TSuebervemla, *TSDanksagung, *TSVersionsuebersicht, *TSdisclaimer, *TSweiteres, *TSFeedback_online,
      *TSAutor;
  TKlickLabel *Image1, *Label6, *Label10, *L_version, *L_online, *L_hilfe, *Label7;
  QPlainTextEdit *Memo1, *Memo2, *Memo3, *Memo4;
  TKlickLabel *Label4, *Label8, *Label5;  // feedback page: home page, forum, mail
  TKlickLabel *Label16, *Label17;         // author page: mail, personal home page
  QPushButton* Bclose;

  void setVisible(bool sichtbar) override;

 private:
  void seiteUeberVemla();
  QPlainTextEdit* textseite(QWidget* seite, const char* name, const QString& datei);
  void seiteFeedback();
  void seiteAutor();
  void verbinden();
};
