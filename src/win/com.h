// COM owners: an interface pointer, CoInitialize for a scope, and task memory.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

#include "win/scoped.h"

namespace ocelot::win {

// Holds one reference to an interface and releases it on destruction; move-only.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* p) : p_(p) {}
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  // The slot for an out-parameter (CoCreateInstance, QueryInterface); what was held is
  // released first.
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

 private:
  T* p_ = nullptr;
};

// CoInitialize for a scope. A thread that had COM already gets S_FALSE, which counts too
// and is balanced the same way; a failure is not.
class ScopedComInit {
 public:
  ScopedComInit() : hr_(CoInitialize(nullptr)) {}
  ~ScopedComInit() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;

  bool ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

inline void CoTaskMemFreeRule(void* p) { ::CoTaskMemFree(p); }
// Memory a COM or shell call allocated for us (an item id list, a path).
template <typename T>
using ScopedCoTaskMem = Scoped<T*, CoTaskMemFreeRule, nullptr>;

}  // namespace ocelot::win
