// Small owners of the Windows handles the front-end makes: each frees its
// handle exactly once, when it goes away or is given another, and can hand
// it over (release) to a caller that takes the ownership.
#pragma once

#include <windows.h>

#include <utility>

namespace diz::win32 {

// Owns one handle of type T, freed with Free(handle); a null handle is none.
template <typename T, auto Free>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    T get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    T release() { return std::exchange(m_handle, nullptr); }
    void reset(T handle = nullptr) {
        if (T old = std::exchange(m_handle, handle)) Free(old);
    }

  private:
    T m_handle = nullptr;
};

namespace detail {
inline void destroyWindow(HWND window) { DestroyWindow(window); }
inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void deleteDc(HDC dc) { DeleteDC(dc); }
inline void freeLibrary(HMODULE module) { FreeLibrary(module); }
inline void destroyAccelerators(HACCEL table) { DestroyAcceleratorTable(table); }
}  // namespace detail

// A window this program created; destroying the owner destroys the window.
using UniqueWindow = UniqueHandle<HWND, detail::destroyWindow>;
// A font, pen, brush or bitmap this program created.
using UniqueFont = UniqueHandle<HFONT, detail::deleteGdiObject>;
using UniquePen = UniqueHandle<HPEN, detail::deleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, detail::deleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, detail::deleteGdiObject>;
// A memory device context (CreateCompatibleDC).
using UniqueMemoryDc = UniqueHandle<HDC, detail::deleteDc>;
// A module loaded with LoadLibraryExW.
using UniqueModule = UniqueHandle<HMODULE, detail::freeLibrary>;
// An accelerator table made with CreateAcceleratorTableW.
using UniqueAccelerators = UniqueHandle<HACCEL, detail::destroyAccelerators>;

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc() {
        if (m_dc != nullptr) ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return m_dc; }

  private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

}  // namespace diz::win32
