// The preview page's own controls: the picture, stretched to its control and
// drawn only where it shows, and the header and footer labels, drawn like
// the printed ones.
#pragma once

#include <QImage>
#include <QWidget>

namespace tessaro {

class TPreviewImage : public QWidget {
  Q_OBJECT
public:
  explicit TPreviewImage(QWidget *parent = nullptr);
  void SetPicture(const QImage &picture);
  const QImage &Picture() const { return FPicture; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QImage FPicture;
};

class TPreviewLabel : public QWidget {
  Q_OBJECT
public:
  explicit TPreviewLabel(QWidget *parent = nullptr);
  void SetCaption(const QString &caption);
  QString Caption() const { return FCaption; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QString FCaption;
};

} // namespace tessaro
