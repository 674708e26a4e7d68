#pragma once

#include "ui/Services.h"

namespace larmor {

// The desktop's file dialogs and two small dialogs of the window's own: the title and
// description of a lesson being saved, and the width of an exported picture. Remembers
// the folder of the last file chosen.
class DesktopFileDialogs : public FileDialogs {
public:
  QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
  QString saveFileName(QWidget* parent, const QString& title, const QString& suggestedName,
                       const QString& filter, const QString& suffix) override;
  std::optional<Description> describeScenario(QWidget* parent, const Description& current) override;
  std::optional<int> pictureWidth(QWidget* parent, int windowWidth) override;

private:
  QString m_folder;
};

}  // namespace larmor
