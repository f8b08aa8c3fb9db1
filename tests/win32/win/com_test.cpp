#include "win/com.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

using namespace ocelot;

namespace {

// An object of the test's own that counts what is done to it; it never deletes itself.
class CountingUnknown : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!IsEqualIID(iid, IID_IUnknown)) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *out = static_cast<IUnknown*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override {
    ++releases;
    return static_cast<ULONG>(--refs);
  }

  int refs = 1;  // the reference a ComPtr is given
  int releases = 0;
};

TEST(ComPtr, LeavingScope_ReleasesOnce_MovedFromReleasesNothing) {
  CountingUnknown object;
  {
    win::ComPtr<IUnknown> first(&object);
    win::ComPtr<IUnknown> second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), &object);
    EXPECT_EQ(object.releases, 0);
  }
  EXPECT_EQ(object.releases, 1);
  EXPECT_EQ(object.refs, 0);
}

TEST(ComPtr, AssignResetAndPut_ReleaseWhatWasHeldFirst) {
  CountingUnknown x, y, z;
  {
    win::ComPtr<IUnknown> a(&x);
    win::ComPtr<IUnknown> b(&y);
    a = std::move(b);
    EXPECT_EQ(x.releases, 1);
    EXPECT_EQ(y.releases, 0);

    // An out-parameter call through put(): the old reference goes, the new one is kept.
    ASSERT_EQ(z.QueryInterface(IID_IUnknown, a.put_void()), S_OK);
    EXPECT_EQ(y.releases, 1);
    EXPECT_EQ(a.get(), &z);
    EXPECT_EQ(z.refs, 2);

    a.reset();
    EXPECT_EQ(z.releases, 1);
    EXPECT_FALSE(a);
    a.reset();  // nothing held: nothing released
  }
  EXPECT_EQ(x.releases, 1);
  EXPECT_EQ(y.releases, 1);
  EXPECT_EQ(z.releases, 1);
  EXPECT_EQ(z.refs, 1);
}

// On a thread of its own: S_OK from CoInitialize means no scope left COM initialized.
HRESULT FreshCoInitialize() {
  const HRESULT hr = CoInitialize(nullptr);
  if (SUCCEEDED(hr)) CoUninitialize();
  return hr;
}

TEST(ScopedComInit, EveryScopeBalancesItsOwnInitialization) {
  std::thread([] {
    {
      win::ScopedComInit outer;
      EXPECT_TRUE(outer.ok());
      {
        win::ScopedComInit inner;  // S_FALSE: COM was there already, still counted
        EXPECT_TRUE(inner.ok());
      }
      EXPECT_EQ(CoInitialize(nullptr), S_FALSE);  // outer's is still in force
      CoUninitialize();
    }
    EXPECT_EQ(FreshCoInitialize(), S_OK);
  }).join();
}

TEST(ScopedComInit, OtherApartmentAlready_FailsAndLeavesItInForce) {
  std::thread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
      win::ScopedComInit com;
      EXPECT_FALSE(com.ok());
    }
    // The multithreaded apartment is still entered: a second entry only counts.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    CoUninitialize();
    CoUninitialize();
  }).join();
}

}  // namespace
