#pragma once
// The single-entry window: the seven fields of one entry as labelled one-line
// edits inside a group box, with preset drop-downs for Release, Typ and Genre.
// It is never shown on its own; the add-entry dialog and the search dialog
// extend it and change captions, positions, read-only flags and key handling.
// Its controls are built when the window is first shown; until then the
// window object is an empty shell.
#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFadd_einzeluebersicht : public QDialog {
  Q_OBJECT
 public:
  explicit TFadd_einzeluebersicht(QWidget* parent = nullptr);

  // Builds the controls, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  // Shows entry "number" (1-based, between 1 and the number of entries) of the
  // collection in the seven fields and names it in the group caption.
  virtual void Anzeigen(int number);
  // Empties the seven fields; the group caption and the drop-downs stay.
  void leere_eingabefenster();

  // The seven fields in the order of the record: Interpret .. Kommentar.
  QList<QLineEdit*> eingabefelder() const;

  // --- controls (component names)
  QGroupBox* GroupBox = nullptr;
  QLabel *L_Interpret = nullptr, *L_Titel = nullptr, *L_Label = nullptr, *L_Release = nullptr, *L_Typ = nullptr,
         *L_Genre = nullptr, *L_Kommentar = nullptr;
  QLineEdit *e_interpret = nullptr, *e_titel = nullptr, *e_label = nullptr, *e_release = nullptr, *e_typ = nullptr,
            *e_genre = nullptr, *e_kommentar = nullptr;
  QComboBox *combobox_release = nullptr, *combobox_typ = nullptr, *combobox_genre = nullptr;
  QPushButton* B_close = nullptr;

 protected:
  // Creates the controls of this window; an extension adds its own after calling it.
  virtual void steuerelementeAnlegen();

  // A preset picked in one of the drop-downs; "index" is the picked item.
  virtual void combobox_releaseChange(int index);
  virtual void combobox_typChange(int index);
  virtual void combobox_genreChange(int index);
  virtual void B_closeClick();

  // Puts the text of item "index" of "liste" into "feld" unless that text is empty.
  static void vorgabeUebernehmen(const QComboBox* liste, int index, QLineEdit* feld);

  // Layout of the rows inside the group box, for extensions that add to it.
  static constexpr int ZEILE_OBEN = 22;      // top of the first row
  static constexpr int ZEILE_ABSTAND = 29;   // from one row to the next
  static constexpr int FELD_LINKS = 92;      // left edge of the edits
  static constexpr int FELD_BREITE = 316;    // width of an edit without a drop-down
  static constexpr int FELD_HOEHE = 22;
  static constexpr int KNOPF_BREITE = 18;    // visible part of a drop-down beside its edit

 private:
  bool aufgebaut_ = false;
};
