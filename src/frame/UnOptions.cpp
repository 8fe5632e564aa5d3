#include "frame/UnOptions.h"

#include "core/Hooks.h"
#include "frame/UnMain.h"
#include "platform/Beep.h"
#include "platform/DialogButtons.h"
#include "platform/MessageDlg.h"
#include "platform/QtHooks.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tessaro {

namespace {

constexpr int MimeRole = Qt::UserRole + 1;

// A row that sorts by the dialog's compare routine.
class TAssociationItem : public QTreeWidgetItem {
public:
  TAssociationItem(const TfrmOptions &dialog, QTreeWidget *list) : QTreeWidgetItem(list), FDialog(dialog) {}
  bool operator<(const QTreeWidgetItem &other) const override {
    return FDialog.ListViewFileAssocCompare(this, &other) < 0;
  }

private:
  const TfrmOptions &FDialog;
};

} // namespace

TfrmOptions::TfrmOptions(TfrmMain &frame, QWidget *parent) : QDialog(parent), FFrame(frame) {
  setObjectName("frmOptions");
  setWindowTitle("Optionen");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  PageControl = new QTabWidget(this);
  TabSheetFiles = new QWidget;
  PageControl->addTab(TabSheetFiles, "Dateiformate");
  Label1 = new QLabel("Dateien, die mit Tessaro geöffnet werden:", TabSheetFiles);
  ListViewFileAssoc = new QTreeWidget(TabSheetFiles);
  ListViewFileAssoc->setObjectName("ListViewFileAssoc");
  ListViewFileAssoc->setAccessibleName("Dateien, die mit Tessaro geöffnet werden");
  ListViewFileAssoc->setColumnCount(2);
  ListViewFileAssoc->setHeaderLabels({"Typ", "Beschreibung"});
  ListViewFileAssoc->setRootIsDecorated(false);
  ListViewFileAssoc->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListViewFileAssoc->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListViewFileAssoc->setIconSize(QSize(16, 16));
  ListViewFileAssoc->setColumnWidth(0, 70);
  ListViewFileAssoc->setColumnWidth(1, 234);
  ListViewFileAssoc->header()->setSectionsClickable(true);
  ListViewFileAssoc->header()->setSortIndicatorShown(false);
  Label1->setBuddy(ListViewFileAssoc);
  auto *page = new QVBoxLayout(TabSheetFiles);
  page->addWidget(Label1);
  page->addWidget(ListViewFileAssoc, 1);

  BitBtnOK =
      MakeDialogButton("&OK", "Schließt den Dialog und übernimmt alle Einstellungen", Qt::blue, true, this);
  BitBtnOK->setDefault(true);
  BitBtnCancel =
      MakeDialogButton("&Abbrechen", "Schließt den Dialog ohne etwas zu ändern", Qt::red, false, this);

  auto *column = new QVBoxLayout(this);
  column->addWidget(PageControl, 1);
  column->addLayout(DialogButtonRow({BitBtnOK, BitBtnCancel}));

  connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { BitBtnCancelClick(); });
  connect(ListViewFileAssoc->header(), &QHeaderView::sectionClicked, this,
          [this](int section) { ListViewFileAssocColumnClick(section); });
  connect(ListViewFileAssoc, &QTreeWidget::itemChanged, this, &TfrmOptions::RowChanged);

  setFixedSize(QSize(359, 328).expandedTo(sizeHint()));
}

void TfrmOptions::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfrmOptions::FormShow() {
  if (FFilled)
    return;
  FFilled = true;
  TWaitCursor wait;
  FMimeApps.Load(MimeAppsListPath());
  for (const TAssociationRow &row : AssociationRows())
    AddAssociationRow(QString::fromLatin1(row.Extension), QString::fromUtf8(row.Description));
}

void TfrmOptions::AddAssociationRow(const QString &extension, const QString &description) {
  const QSignalBlocker block(ListViewFileAssoc);
  auto *item = new TAssociationItem(*this, ListViewFileAssoc);
  item->setText(0, extension);
  item->setText(1, description);
  item->setData(0, MimeRole, MimeTypeOfExtension(extension));
  item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
  item->setCheckState(0, IsAssociated(extension) ? Qt::Checked : Qt::Unchecked);
  // The desktop's icon for files of the type; a row without one is still
  // offered.
  const QIcon icon = MimeTypeIcon(MimeTypeOfExtension(extension));
  if (!icon.isNull())
    item->setIcon(0, icon);
}

bool TfrmOptions::IsAssociated(const QString &extension) const {
  const QString type = MimeTypeOfExtension(extension);
  return !type.isEmpty() && FMimeApps.DefaultFor(type) == QLatin1String(DesktopFileId);
}

void TfrmOptions::SetAssociation(const QString &extension, bool clear) {
  const QString type = MimeTypeOfExtension(extension);
  if (type.isEmpty())
    return;
  if (clear)
    FMimeApps.RemoveDefault(type, DesktopFileId);
  else
    FMimeApps.SetDefault(type, DesktopFileId);
}

QTreeWidgetItem *TfrmOptions::Row(const QString &extension) const {
  for (int i = 0; i < ListViewFileAssoc->topLevelItemCount(); ++i) {
    if (ListViewFileAssoc->topLevelItem(i)->text(0) == extension)
      return ListViewFileAssoc->topLevelItem(i);
  }
  return nullptr;
}

void TfrmOptions::RowChanged(QTreeWidgetItem *item, int column) {
  if (column != 0 || FSyncing)
    return;
  // The extensions of one type are one association: their ticks follow.
  FSyncing = true;
  const QString type = item->data(0, MimeRole).toString();
  for (int i = 0; i < ListViewFileAssoc->topLevelItemCount(); ++i) {
    QTreeWidgetItem *other = ListViewFileAssoc->topLevelItem(i);
    if (other != item && other->data(0, MimeRole).toString() == type)
      other->setCheckState(0, item->checkState(0));
  }
  FSyncing = false;
}

bool TfrmOptions::BitBtnOKClick() {
  bool ok = false;
  {
    TWaitCursor wait;
    BitBtnOK->setEnabled(false);
    if (FFrame.RegisterFileClass()) {
      // Read the list again: another program may have changed it meanwhile.
      // A list that cannot be read is never written over.
      if (!FMimeApps.Load(MimeAppsListPath())) {
        Beep();
        MessageDlg(QString("Die Datei \"%1\" kann nicht gelesen werden!").arg(MimeAppsListPath()), mtError,
                   mbOK);
        BitBtnOK->setEnabled(true);
        return false;
      }
      for (int i = 0; i < ListViewFileAssoc->topLevelItemCount(); ++i) {
        if (i % 10 == 0)
          ProcessMessagesNow();
        const QTreeWidgetItem *item = ListViewFileAssoc->topLevelItem(i);
        SetAssociation(item->text(0), item->checkState(0) != Qt::Checked);
      }
      QString error;
      ok = FMimeApps.Save(error);
      if (!ok) {
        Beep();
        MessageDlg(QString("Die Dateizuordnungen konnten nicht gespeichert werden!\r\r") + error, mtError,
                   mbOK);
      }
    }
    BitBtnOK->setEnabled(true);
  }
  if (ok)
    accept();
  return ok;
}

void TfrmOptions::BitBtnCancelClick() {
  reject();
}

void TfrmOptions::ListViewFileAssocColumnClick(int column) {
  FSortColumn = column;
  ListViewFileAssoc->sortItems(column, Qt::AscendingOrder);
}

int TfrmOptions::ListViewFileAssocCompare(const QTreeWidgetItem *a, const QTreeWidgetItem *b) const {
  const int column = FSortColumn == 0 ? 0 : 1;
  return QString::compare(a->text(column), b->text(column), Qt::CaseInsensitive);
}

} // namespace tessaro
