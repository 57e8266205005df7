// Access keys in captions: an "&" marks the character after it as the key
// (shown underlined), and "&&" shows one "&". Captions are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace orvelle {

// The access key, lower case (one UTF-8 character), or empty: the
// character after the first "&" that is not part of a doubled "&&".
std::string accessKeyOf(std::string_view caption);

// The caption as it reads, without its marks: "&&" gives one "&", a single
// "&" disappears ("A&&B&C" reads "A&BC").
std::string withoutAccessKeyMarks(std::string_view caption);

}  // namespace orvelle
