// The two ways the plugin knows where its library lies. They differ in
// encoding and in the separator at the end, so each has a type of its own
// and neither is taken for the other, nor for a plain string.
#pragma once

#include <string>
#include <utility>

// The folder as the host named it when it loaded the library: the host's
// 8-bit text (the system code page), ending in a backslash. What the host is
// handed back, and what the shell opens files in.
class PluginFolder {
 public:
  PluginFolder() = default;
  explicit PluginFolder(std::string hostText) : text_(std::move(hostText)) {}
  const std::string& HostText() const { return text_; }

 private:
  std::string text_;
};

// The directory of the library's file as the plugin finds it itself: UTF-8,
// without a trailing separator (a drive root keeps its backslash). Where the
// settings file lies.
class PluginDirectory {
 public:
  explicit PluginDirectory(std::string utf8) : utf8_(std::move(utf8)) {}
  const std::string& Utf8() const { return utf8_; }

 private:
  std::string utf8_;
};
