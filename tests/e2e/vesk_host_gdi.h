// GDI resources of the stand-in host, each with one owner that gives it back
// when it goes: a path that returns early, or one added later, cannot leak
// a font into a process that paints for minutes in the demo, or leave one
// selected into a device context when it is deleted.
#pragma once

#include <windows.h>

#include <utility>

namespace gdi {

// A font, brush or other object from a Create* call, deleted with
// DeleteObject.
template <typename Handle>
class Object {
 public:
  Object() = default;
  explicit Object(Handle handle) : handle_(handle) {}
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Object& operator=(Object&& other) noexcept {
    if (this != &other) {
      release();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~Object() { release(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void release() {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = nullptr;
  }
  Handle handle_ = nullptr;
};

using Font = Object<HFONT>;
using Brush = Object<HBRUSH>;

// A window's device context from GetDC (a null window: the screen's),
// released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      release();
      window_ = other.window_;
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  ~WindowDc() { release(); }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void release() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
    dc_ = nullptr;
  }
  HWND window_;
  HDC dc_;
};

// The device context of a WM_PAINT from BeginPaint, ended with EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  PaintDc(PaintDc&& other) noexcept
      : window_(other.window_), paint_(other.paint_), dc_(std::exchange(other.dc_, nullptr)) {}
  PaintDc& operator=(PaintDc&& other) noexcept {
    if (this != &other) {
      end();
      window_ = other.window_;
      paint_ = other.paint_;
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  ~PaintDc() { end(); }

  HDC get() const { return dc_; }

 private:
  void end() {
    if (dc_ != nullptr) EndPaint(window_, &paint_);
    dc_ = nullptr;
  }
  HWND window_;
  PAINTSTRUCT paint_ = {};
  HDC dc_;
};

// An object selected into a device context until the scope ends, when the
// one it replaced goes back: declared after the object it selects, it is
// undone before that object is deleted.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), replaced_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  Selection(Selection&& other) noexcept
      : dc_(other.dc_), replaced_(std::exchange(other.replaced_, nullptr)) {}
  Selection& operator=(Selection&& other) noexcept {
    if (this != &other) {
      restore();
      dc_ = other.dc_;
      replaced_ = std::exchange(other.replaced_, nullptr);
    }
    return *this;
  }
  ~Selection() { restore(); }

 private:
  void restore() {
    if (replaced_ != nullptr) SelectObject(dc_, replaced_);
    replaced_ = nullptr;
  }
  HDC dc_;
  HGDIOBJ replaced_;
};

}  // namespace gdi
