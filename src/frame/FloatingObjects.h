// The floating objects of a document as the frame's save sees them: every
// kind of object that lies above the raster (pasted images, text objects)
// says how to recognise one of its objects among the document's children and
// how to paint it into the raster, after which the object is gone.
#pragma once

#include <functional>
#include <vector>

class QObject;

namespace tessaro {

class TfrmChild;

struct TFloatingKind {
  std::function<bool(const QObject *object)> Is;
  // Paints the object into the document's raster and removes it.
  std::function<void(TfrmChild &doc, QObject *object)> Combine;
};

// The document's floating objects of the given kinds, in the order of the
// document's children (depth first).
std::vector<QObject *> FloatingObjectsOf(const TfrmChild &doc, const std::vector<TFloatingKind> &kinds);

} // namespace tessaro
