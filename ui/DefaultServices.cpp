#include "ui/DefaultServices.h"

#include "ui/DesktopDocumentOpener.h"
#include "ui/DesktopEditorLauncher.h"
#include "ui/DesktopFileDialogs.h"
#include "ui/MessageDialogs.h"
#include "ui/QtTonePlayer.h"

#include <QCoreApplication>

#include <memory>

namespace larmor {

namespace {

struct ServiceHolder {
  DesktopDocumentOpener opener;
  DesktopEditorLauncher launcher;
  QtTonePlayer tonePlayer;
  MessageDialogs dialogs;
  DesktopFileDialogs files;
};

std::unique_ptr<ServiceHolder>& holder() {
  static std::unique_ptr<ServiceHolder> instance;
  return instance;
}

// Runs while the application object is being destroyed, before Qt Multimedia goes: the
// tone thread is stopped and joined while everything it uses is still there.
void releaseServices() { holder().reset(); }

}  // namespace

Services defaultServices() {
  auto& services = holder();
  if (!services) {
    services = std::make_unique<ServiceHolder>();
    qAddPostRoutine(releaseServices);
  }
  return Services{&services->opener, &services->launcher, &services->tonePlayer,
                  &services->dialogs, &services->files};
}

}  // namespace larmor
