// Small widgets of the frame: a status bar made of fixed-width panels and the
// colour panels that show the current fill, line and paper colours.
#pragma once

#include "core/Types.h"

#include <QFrame>
#include <QString>
#include <QWidget>

#include <vector>

class QAction;
class QIcon;
class QKeySequence;
class QLabel;
class QToolBar;
class QToolButton;
class QHBoxLayout;

namespace tessaro {

// A row of panels, each with a fixed width and a text; the last panel takes
// the rest of the row.
class TStatusPanels : public QWidget {
  Q_OBJECT
public:
  struct TPanelDef {
    QString Text;
    int Width;
  };
  TStatusPanels(const std::vector<TPanelDef> &panels, QWidget *parent = nullptr);

  int PanelCount() const { return int(FPanels.size()); }
  QString PanelText(int i) const;
  void SetPanelText(int i, const QString &text);
  // The frame of panel i (widgets may be laid over it).
  QFrame *Panel(int i) const { return FPanels.at(size_t(i)).Frame; }

private:
  struct TPanel {
    QFrame *Frame;
    QLabel *Label;
  };
  std::vector<TPanel> FPanels;
};

// A panel whose background is a colour.
class TColorPanel : public QFrame {
  Q_OBJECT
public:
  TColorPanel(TColor color, const QString &hint, QWidget *parent = nullptr);
  TColor Color() const { return FColor; }
  void SetColor(TColor c);

signals:
  void DoubleClicked();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
  TColor FColor;
};

// An action with caption, shortcut and hint.
QAction *MakeAction(QObject *owner, const QString &caption, const QKeySequence &key = QKeySequence(),
                    const QString &hint = QString());
// A toolbar button with a picture (or, without one, a text) and a hint.
QToolButton *MakeButton(QToolBar *bar, const QString &hint, const QIcon &icon,
                        const QString &text = QString());

} // namespace tessaro
