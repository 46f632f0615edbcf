#pragma once
// Base64 text as invoices carry their attachments in it (RFC 4648, with or
// without "=" padding; line breaks and other white space anywhere).

#include <cstddef>
#include <string>
#include <string_view>

namespace lumora {

enum class Base64Result { Decoded, NotBase64, TooLarge };

// Decodes `text` into `bytes`; stops with TooLarge once there would be more
// than `mostBytes`, and with NotBase64 at a byte outside the alphabet or a
// length that no encoding has.
Base64Result decodeBase64(std::string_view text, std::size_t mostBytes, std::string& bytes);

}  // namespace lumora
