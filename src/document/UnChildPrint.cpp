// The document's printing and properties commands.
#include "document/UnChild.h"

#include "info/UnProperties.h"
#include "print/UnPreviewPrint.h"
#include "print/UnSetPageProp.h"

namespace tessaro {

void TfrmChild::mnuPreviewClick() {
  TfrmPreviewPrint::ShowPreview({&Bitmap(), Caption()}, window());
}

void TfrmChild::mnuPageSetupClick() {
  TfrmSetPageProp::Execute(window());
}

void TfrmChild::mnuPrintClick() {
  TfrmPreviewPrint::PrintDocument({&Bitmap(), Caption()}, window());
}

void TfrmChild::mnuPropertiesClick() {
  TfrmProperties::Execute(
      {Caption(), FFileName, Bitmap().Width(), Bitmap().Height(), ImageTypeText(FImageType)}, window());
}

} // namespace tessaro
