// The host's shared colour dialog as a plain colour dialog, for hosts that
// keep no dialog of their own.
#include "document/DocumentHost.h"

#include "platform/QtColor.h"

#include <QApplication>
#include <QColorDialog>

namespace tessaro {

bool TDocumentHost::ChooseColor(TColor &color) {
  const QColor chosen = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow(), "Farbe");
  if (!chosen.isValid())
    return false;
  color = FromQColor(chosen);
  return true;
}

} // namespace tessaro
