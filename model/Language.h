#pragma once

namespace larmor {

// The language of a text from the toolkit-free layers: the window and the documents speak
// Russian, the companion English.
enum class Language { Russian, English };

}  // namespace larmor
