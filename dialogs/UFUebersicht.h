#pragma once
// The overall overview: the whole collection as one editable table, one row
// per entry and one column per field, applied to the collection in one step.
// The table is rebuilt from the collection every time the window is shown,
// so edits that were not applied are lost on closing. The window can keep
// its size, column widths and font in the settings file. Its controls are
// built when it is first shown or first asked for its grid.
#include <QAbstractTableModel>
#include <QColor>
#include <QDialog>
#include <QStringList>
#include <QTableView>
#include <string>

#include "core/UEinstellungen.h"
#include "core/UGesamtZellen.h"

class QPushButton;

// The cells of the grid below its header row: column 0 the position, columns
// 1 to 7 the fields. Column 0 is fixed (not editable, not selectable).
class TUebersichtModell : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int SPALTEN = GESAMT_SPALTEN;
  using QAbstractTableModel::QAbstractTableModel;

  // Replaces every cell: "zellen" holds SPALTEN texts per row.
  void fuellen(QList<QString> zellen);
  const QString& zelle(int spalte, int zeile) const { return zellen_[zeile * SPALTEN + spalte]; }

  int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : zellen_.size() / SPALTEN; }
  int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : SPALTEN; }
  QVariant data(const QModelIndex& i, int rolle) const override;
  bool setData(const QModelIndex& i, const QVariant& wert, int rolle) override;
  QVariant headerData(int abschnitt, Qt::Orientation o, int rolle) const override;
  Qt::ItemFlags flags(const QModelIndex& i) const override;

 signals:
  // The text of a cell was edited.
  void bearbeitet();

 private:
  QList<QString> zellen_;
};

// The grid itself: Tab and Shift+Tab run through the editable cells row by
// row and never stop in the fixed position column.
class TUebersichtRaster : public QTableView {
  Q_OBJECT
 public:
  using QTableView::QTableView;
  // Hands the text of an open cell editor to the model and closes the editor.
  void editorUebernehmen();

 protected:
  QModelIndex moveCursor(CursorAction aktion, Qt::KeyboardModifiers tasten) override;
};

class TFUebersicht : public QDialog {
  Q_OBJECT
 public:
  explicit TFUebersicht(QWidget* parent = nullptr);
  // Builds the controls, once; showing the window does it first.
  void aufbauen();
  void setVisible(bool sichtbar) override;

  // --- the grid as a table of texts, row 0 being the header row and column 0
  // the positions: "#", "Interpret" .. "Kommentar" above the rows 1 .. n.
  // After showing, it holds every entry (one empty data row for an empty
  // collection), with the user's edits, until the next showing.
  // Stores the view settings as showing and closing the window would, when its option says so.
  void ansichtSichern();
  QString zelle(int spalte, int zeile) const;
  int spaltenAnzahl() const { return TUebersichtModell::SPALTEN; }
  int zeilenAnzahl() const;  // header row included

  // --- handlers
  void FormShow();
  void FormActivate();
  void FormClose();
  void B_changeClick();
  void B_fontClick();

  bool geaendert() const { return geaendert_; }
  // The grid's font colour; invalid = the system's window text colour.
  QColor schriftfarbe() const { return schriftfarbe_; }
  void setzeSchrift(const QFont& schrift, const QColor& farbe);

  // --- controls (component names)
  TUebersichtRaster* SG = nullptr;
  QPushButton *B_close = nullptr, *B_font = nullptr, *B_change = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* objekt, QEvent* e) override;

 private:
  void ansichtLaden();
  void layoutAnpassen();
  QSize aussenmass() const;
  void setzeAussenmass(QSize aussen);
  // A window that belongs to this one (its message boxes and dialogs).
  bool eigenesFenster(const QWidget* w) const;

  TUebersichtModell* modell_ = nullptr;
  QColor schriftfarbe_;
  // The font name as read from the settings, or as chosen by the user; a
  // substitute family the system shows instead is never written back.
  std::string schriftname_ = "Verdana";
  bool geaendert_ = false;
  bool gezeigt_ = false;
  // The maximised state to store: as read, then as the user changes it.
  bool maximiert_ = false;
  // The window went inactive for one of its own dialogs; getting the
  // activation back from it is no activation.
  bool beiEigenemDialog_ = false;
};

