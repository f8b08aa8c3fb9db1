// Measures the work of one full-screen capture from the grab to the written file, the
// waits of the capture dispatch left out: grab, clipboard round trip, encode and write.
//   ocelot_capture_bench.exe [runs]   (run under Wine on a display of the wanted size)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture/screen_grab.h"
#include "imaging/codec.h"
#include "win/dib.h"

namespace {
double MedianMs(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::printf("screen %d x %d, %d runs, median milliseconds\n", w, h, runs);
  for (const char* ext : {".bmp", ".png"}) {
    std::vector<double> grab, clip, write, total;
    const std::string path = std::string(temp) + "ocelot-bench" + ext;
    for (int i = 0; i < runs; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      auto image = ocelot::capture::GrabScreenImage(RECT{0, 0, w, h});
      const auto t1 = std::chrono::steady_clock::now();
      ocelot::win::PutImageOnClipboard(nullptr, *image);
      auto view = ocelot::win::ImageFromClipboard(nullptr);
      const auto t2 = std::chrono::steady_clock::now();
      ocelot::imaging::WriteImageFile(path, *view);
      const auto t3 = std::chrono::steady_clock::now();
      auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
      grab.push_back(ms(t0, t1));
      clip.push_back(ms(t1, t2));
      write.push_back(ms(t2, t3));
      total.push_back(ms(t0, t3));
    }
    DeleteFileA(path.c_str());
    std::printf("%s: grab %.1f, clipboard %.1f, encode+write %.1f, total %.1f\n", ext + 1, MedianMs(grab),
                MedianMs(clip), MedianMs(write), MedianMs(total));
  }
  return 0;
}
