// The frame's side of the marking and the floating images: "Markierung
// löschen" turned off, the object toolbars shown, and the floating images
// as the save's merge sees them. The toolbars' controls are
// UnMainWinImage.cpp.
#include "frame/UnMain.h"

#include "document/UnChild.h"
#include "frame/ToolPictures.h"

#include <QToolBar>

namespace tessaro {

void TfrmMain::CreateObjectParts() {
  // Saving paints the floating images into the raster first, each made the
  // current one and combined.
  FloatingKinds.push_back(TFloatingKind{[](const QObject *object) {
                                          const auto *image = qobject_cast<const TLUMWinImageEx *>(object);
                                          return image && !image->Deleted();
                                        },
                                        [](TfrmChild &doc, QObject *object) {
                                          if (auto *image = qobject_cast<TLUMWinImageEx *>(object)) {
                                            doc.SetActiveWinImage(image);
                                            doc.CombineWinImage(image, nullptr);
                                          }
                                        }});
  // ... and the text objects, each made the current one and combined as the
  // text render toolbar says.
  FloatingKinds.push_back(TFloatingKind{[](const QObject *object) {
                                          const auto *richEdit =
                                              qobject_cast<const TLUMWinRichEdit *>(object);
                                          return richEdit && !richEdit->Deleted();
                                        },
                                        [this](TfrmChild &doc, QObject *object) {
                                          if (auto *richEdit = qobject_cast<TLUMWinRichEdit *>(object)) {
                                            doc.SetActiveRichEdit(richEdit);
                                            CombineTextObject(doc);
                                          }
                                        }});
}

void TfrmMain::DisableUndoMark() {
  TBUndoMark->setEnabled(false);
}

void TfrmMain::ShowObjectToolBars() {
  ToolBarWinImage.Bar->show();
  ToolBarTransp.Bar->show();
}

} // namespace tessaro
