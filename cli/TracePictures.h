#pragma once

#include "panel/RunDriver.h"

#include <memory>
#include <string>

namespace larmor {

class ControlPanel;
struct TraceOptions;

// The pictures a run may write (--png, --png3d). They are drawn by a module of their own,
// loaded only when one is asked for: a run without a picture never loads the toolkit's GUI
// part, whose start costs more than a million steps of the uniform field.
class TracePictures {
public:
  virtual ~TracePictures() = default;
  // Before the options change the panel: the views follow it from its start.
  virtual void follow(ControlPanel& panel) = 0;
  // After them: the picture in space takes the panel as it stands.
  virtual void ready(const ControlPanel& panel) = 0;
  // Hands each step of the run to both pictures.
  virtual RunObserver& observer() = 0;
  // Writes the files opened by the module's start; an error line, or empty.
  virtual std::string save(Integrator integrator) = 0;
};

// What the module's start returns: the pictures, or the error line that stopped them
// (a file that cannot be written, a module that cannot be loaded), and the exit status.
struct TracePicturesStart {
  std::unique_ptr<TracePictures> pictures;
  std::string error;
};

// Loads the module from beside the program (the runtime folder) or from its installed
// place, starts the toolkit's GUI part on the offscreen platform and opens the picture
// files, before anything is run or written.
TracePicturesStart startTracePictures(int& argc, char** argv, const TraceOptions& options);

}  // namespace larmor

// The module's one entry point; a TracePicturesStart* the caller owns.
extern "C" larmor::TracePicturesStart* larmorStartTracePictures(int& argc, char** argv,
                                                                const larmor::TraceOptions& options);
