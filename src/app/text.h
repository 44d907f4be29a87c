// The engine's texts are UTF-8 views; the window's are QStrings.
#pragma once

#include <QString>
#include <string_view>

namespace numplace::app {

inline QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace numplace::app
