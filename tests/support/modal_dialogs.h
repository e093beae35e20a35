#pragma once
// For window tests: act on a modal dialog from inside its own event loop.
#include <QApplication>
#include <QTimer>
#include <functional>

namespace torvex::test {

// Runs `step` once on the next modal dialog of type T, as soon as it is shown.
// Call it before the action that opens the dialog (exec() does not return
// until the dialog closes); `step` may itself wait for a further dialog.
template <typename T>
void onNextModal(std::function<void(T&)> step) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, step] {
    auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!w || !w->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    step(*w);
  });
  poll->start();
}

}  // namespace torvex::test
