// Handles that a function makes and frees itself, each owned by a value that
// frees it once, when the value goes out of scope or is reset: an early
// return cannot leak it, and no path frees it twice.  A value moves but is
// never copied.  Handles the program keeps for the life of its window stay
// plain process-wide values.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <utility>

template <typename Handle, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle, Free free = Free{}) : handle_(handle), free_(free) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)), free_(other.free_) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset(std::exchange(other.handle_, nullptr));
      free_ = other.free_;
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Frees the handle held, if any, and holds `handle` instead.
  void Reset(Handle handle = nullptr) {
    if (handle_) free_(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
  Free free_{};
};

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseFileSearch {
  void operator()(HANDLE search) const { FindClose(search); }
};
struct CloseRegistryKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDC {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
// A window's device context goes back to the window it came from.
struct ReleaseWindowDC {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
// Only for a stream read from: a write's close has a result to check.
struct CloseReadStream {
  void operator()(std::FILE* file) const { (void)std::fclose(file); }
};
struct RemoveHook {
  void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
struct CloseInternetHandle {
  void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};

using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;  // a process, thread, file or mutex
using OwnedFileSearch = Owned<HANDLE, CloseFileSearch>;
using OwnedKey = Owned<HKEY, CloseRegistryKey>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedMemoryDC = Owned<HDC, DeleteMemoryDC>;
using OwnedWindowDC = Owned<HDC, ReleaseWindowDC>;
using OwnedHook = Owned<HHOOK, RemoveHook>;
using OwnedInternet = Owned<HINTERNET, CloseInternetHandle>;
using OwnedReadStream = Owned<std::FILE*, CloseReadStream>;

// File calls answer INVALID_HANDLE_VALUE, not a null handle, when they fail.
inline HANDLE NullIfInvalid(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

// The key `name` under `root`, opened for `access`; none when it does not
// open (what the call leaves in its handle then is not ours to free).
inline OwnedKey OpenKey(HKEY root, const wchar_t* name, REGSAM access) {
  HKEY key = nullptr;
  return OwnedKey(RegOpenKeyExW(root, name, 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}

// The device context of `window` (the screen's for a null window).
inline OwnedWindowDC WindowDC(HWND window) { return OwnedWindowDC(GetDC(window), ReleaseWindowDC{window}); }
// The device context of the whole of `window`, frame included.
inline OwnedWindowDC WholeWindowDC(HWND window) { return OwnedWindowDC(GetWindowDC(window), ReleaseWindowDC{window}); }

// An object selected into a device context until the end of the scope, when
// the one it replaced goes back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), replaced_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (replaced_) SelectObject(dc_, replaced_);
  }

 private:
  HDC dc_;
  HGDIOBJ replaced_;
};
