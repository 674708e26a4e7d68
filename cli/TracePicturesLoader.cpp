// Finds and loads the pictures' module (see TracePictures.h).
#include "cli/TracePictures.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace larmor {

TracePicturesStart startTracePictures(int& argc, char** argv, const TraceOptions& options) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path programDir = fs::read_symlink("/proc/self/exe", error).parent_path();
  // Beside the program in the runtime folder; from an installed program, where the install
  // puts it (a path relative to the program's folder, fixed by the build).
  std::string tried;
  for (const fs::path& place : {programDir / LARMOR_TRACE_PICTURES_MODULE,
                                programDir / LARMOR_TRACE_PICTURES_INSTALLED / LARMOR_TRACE_PICTURES_MODULE}) {
    void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      if (fs::exists(place)) tried = dlerror();
      continue;
    }
    using Start = TracePicturesStart* (*)(int&, char**, const TraceOptions&);
    const auto start = reinterpret_cast<Start>(dlsym(module, "larmorStartTracePictures"));
    if (!start) return {nullptr, "larmor-trace: cannot draw pictures: the module '" + place.string() + "' is not one"};
    // The module stays loaded to the end: the pictures and the toolkit live in it.
    const std::unique_ptr<TracePicturesStart> started(start(argc, argv, options));
    return std::move(*started);
  }
  return {nullptr, "larmor-trace: cannot draw pictures: " +
                       (tried.empty() ? std::string("the module " LARMOR_TRACE_PICTURES_MODULE " is not beside the program")
                                      : tried)};
}

}  // namespace larmor
