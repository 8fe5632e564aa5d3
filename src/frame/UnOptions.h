// "Optionen": the page "Dateiformate" lists the picture types the desktop
// may open with Tessaro; a tick makes Tessaro the user's default program for
// the type (its MIME type), removing the tick takes that back when the
// default is still Tessaro. Extensions of one MIME type share one tick.
#pragma once

#include "platform/FileAssociations.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tessaro {

class TfrmMain;

class TfrmOptions : public QDialog {
  Q_OBJECT
public:
  TfrmOptions(TfrmMain &frame, QWidget *parent = nullptr);

  QTabWidget *PageControl;
  QWidget *TabSheetFiles;
  QLabel *Label1;
  QTreeWidget *ListViewFileAssoc;
  QPushButton *BitBtnOK;
  QPushButton *BitBtnCancel;

  // Fills the list (once; the first show calls it).
  void FormShow();
  void AddAssociationRow(const QString &extension, const QString &description);
  bool IsAssociated(const QString &extension) const;
  // Ticked (clear false) or not ticked (clear true): sets or takes back
  // Tessaro as the default of the extension's type (in memory; OK writes).
  void SetAssociation(const QString &extension, bool clear);
  // Writes the ticks and closes; false (the dialog stays open) after a
  // German message when they cannot be written.
  bool BitBtnOKClick();
  void BitBtnCancelClick();
  void ListViewFileAssocColumnClick(int column);
  // CompareText of the two rows' texts in the sort column.
  int ListViewFileAssocCompare(const QTreeWidgetItem *a, const QTreeWidgetItem *b) const;
  int SortColumn() const { return FSortColumn; }

  // The row of an extension, or null.
  QTreeWidgetItem *Row(const QString &extension) const;

protected:
  void showEvent(QShowEvent *event) override;

private:
  void RowChanged(QTreeWidgetItem *item, int column);

  TfrmMain &FFrame;
  TMimeAppsList FMimeApps;
  int FSortColumn = 0;
  bool FFilled = false;
  bool FSyncing = false;
};

} // namespace tessaro
