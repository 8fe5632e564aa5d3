// A host for documents without a frame: attributes set by the test, status
// texts recorded, one document shown as a top-level window.
#pragma once

#include "document/DocumentHost.h"
#include "document/UnChild.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace tessaro::test {

class TBareHost : public TDocumentHost {
public:
  TBareHost() {
    for (QAction **a :
         {&FActions.New, &FActions.NewFromClipboard, &FActions.Open, &FActions.End, &FActions.WndCascade,
          &FActions.WndTileHor, &FActions.WndTileVert, &FActions.HelpContents, &FActions.HelpSearch,
          &FActions.HelpHelp, &FActions.Options, &FActions.Info}) {
      FOwned.push_back(std::make_unique<QAction>("x"));
      *a = FOwned.back().get();
    }
  }
  TToolAttributes Attributes;
  std::map<int, QString> Status;
  TfrmChild *Doc = nullptr;
  // What the document showed of its floating images.
  bool ObjectToolBars = false;
  QPoint ObjectPos;
  QSize ObjectSize;
  bool ObjectTransparent = false;
  TColor ObjectTransparentColor = 0;
  int Blend = 0;
  int UndoMarkDisabled = 0;

  int DocumentNo() const override { return 500; }
  const TSharedActions &SharedActions() const override { return FActions; }
  std::vector<TfrmChild *> Documents() const override { return {Doc}; }
  TfrmChild *ActiveChild() const override { return Doc; }
  void ShowDocument(TfrmChild &) override {}
  void MinimizeDocument(TfrmChild &) override {}
  void CloseDocument(TfrmChild &) override {}
  void DocumentClosing(TfrmChild *) override {}
  bool SaveDocument(TfrmChild &, const std::string &, bool) override { return false; }
  TfrmChild *CreateNewImage(int, int, TPixelFormat, TColor) override { return nullptr; }
  void ShowZoom(int) override {}
  // Like the frame's zoom list: the zoom again, and cross-faded objects
  // blended with what lies under them now.
  void ApplyZoom() override {
    if (Doc) {
      Doc->SetZoom(Doc->Zoom());
      Doc->ReblendWinImages();
    }
  }
  void SetStatusText(int panel, const QString &text) override { Status[panel] = text; }
  void ShowPaperColor(TColor) override {}
  void SetUndoHint(const QString &) override {}
  void SetRedoHint(const QString &) override {}
  void HideObjectToolBars() override { ObjectToolBars = false; }
  void ShowObjectToolBars() override { ObjectToolBars = true; }
  void ShowWinImagePosition(int x, int y) override { ObjectPos = QPoint(x, y); }
  void ShowWinImageSize(int w, int h) override { ObjectSize = QSize(w, h); }
  void ShowWinImageTransparency(bool on, TColor color) override {
    ObjectTransparent = on;
    ObjectTransparentColor = color;
  }
  int BlendPosition() const override { return Blend; }
  void SetBlendPosition(int position) override {
    if (position == Blend)
      return;
    Blend = position;
    if (Doc && Doc->ActiveWinImage())
      Doc->CrossFadeWinImage(*Doc->ActiveWinImage(), Blend);
  }
  void DisableUndoMark() override { ++UndoMarkDisabled; }
  void ToolBarsMenuShown() override {}
  TToolAttributes DrawAttributes() const override { return Attributes; }
  // The pipette's colours land in the attributes as the frame's panels would.
  void PipetteColor(unsigned targets, TColor color) override {
    if (targets & ptFill)
      Attributes.BrushColor = color;
    if (targets & ptLine)
      Attributes.PenColor = color;
    if (targets & ptPaper)
      Attributes.PaperColor = color;
    ++PipetteCalls;
  }
  int PipetteCalls = 0;

private:
  TSharedActions FActions;
  std::vector<std::unique_ptr<QAction>> FOwned;
};

// A document on a bare host, shown, with mouse events sent through its
// window as the platform sends them.
class BareDocumentTest : public ::testing::Test {
protected:
  void SetUp() override {
    Doc = std::make_unique<TfrmChild>(Host);
    Host.Doc = Doc.get();
    Doc->resize(400, 300);
    Doc->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    Doc.reset();
    QApplication::processEvents();
  }

  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
             bool process = true, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QWindow *win = Doc->window()->windowHandle();
    const QPoint global = Doc->Image->mapToGlobal(pos);
    QMouseEvent e(type, win->mapFromGlobal(global), global, button, buttons, keys);
    e.setTimestamp(Timestamp += 1000); // never a double click by accident
    QCoreApplication::sendEvent(win, &e);
    if (process)
      QApplication::processEvents();
  }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    Mouse(QEvent::MouseButtonPress, p, b, b, true, keys);
  }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton, true, keys);
  }
  void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, p, Qt::NoButton, held);
  }
  void Click(QPoint p) {
    Press(p);
    Release(p);
  }
  // A double click: the first click, then the second press with the
  // platform's double-click event, then the release.
  void DoubleClick(QPoint p) {
    Click(p);
    Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, false);
    Mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    Release(p);
  }
  // A drag from a to b through the points between.
  void Drag(QPoint a, std::initializer_list<QPoint> via, QPoint b) {
    Press(a);
    for (QPoint p : via)
      Move(p);
    Move(b);
    Release(b);
  }

  TBareHost Host;
  std::unique_ptr<TfrmChild> Doc;
  unsigned long Timestamp = 1000;
};

} // namespace tessaro::test
