#pragma once
// The web page window: one web page shown inside the program, with a button
// that opens it in the user's default browser. Its caption holds the address:
// whoever opens it sets the caption first, then shows the window.
#include <QDialog>

class IWebansicht;
class QLabel;
class QPushButton;

class TFWebbrowser : public QDialog {
  Q_OBJECT
 public:
  explicit TFWebbrowser(QWidget* parent = nullptr);
  // Sets the caption to "adresse" and shows the window modally.
  void seiteZeigen(const QString& adresse);
  void B_webbrowserClick();

  QWidget* Panel1;  // holds the browser view
  QPushButton* B_webbrowser;
  QPushButton* B_close;
  // The browser view, created when the window is first shown (nullptr before).
  IWebansicht* WebBrowser1 = nullptr;
  // Stands in for the view when the web engine is not available.
  QLabel* L_keinbrowser = nullptr;

  void setVisible(bool sichtbar) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void browserErzeugen();
};

// "Seite  [ <adresse> ]  im Standardbrowser öffnen"
QString standardbrowserBeschriftung(const QString& adresse);
