// Measures the longest result list a mesh file gives, under Wine: the time from the search command to the message that
// tells the count, and how long the main window went without answering another process's message meanwhile (a
// message sent every few milliseconds from a second thread).  Prints each search and the medians; it measures, it
// checks only that each search found every line.
//   scripts/wine-run build/win/tools/full_list/full_list_bench.exe
// Environment: KARIO_BENCH_REPS (searches, default 5), KARIO_FULL_LIST_RECORDS (places, default and at most 174762),
// KARIO_UNPACKED_EXE (another build of the program, to compare).
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/full_list/full_list.h"

namespace {

double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency), QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int EnvOr(const char* name, int fallback) { return getenv(name) ? atoi(getenv(name)) : fallback; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class FullListBench : public KarioE2e {};

TEST_F(FullListBench, SearchToCompletionMessage) {
  const FullList expected =
      BuildFullList(503171490, 128439920, static_cast<std::size_t>(EnvOr("KARIO_FULL_LIST_RECORDS", 174762)));
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", REG_SZ, kFullListData,
                            static_cast<DWORD>(sizeof(wchar_t) * (wcslen(kFullListData) + 1))),
            ERROR_SUCCESS);
  ASSERT_TRUE(WriteTextFile(kFullListFile, expected.file));
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  TypeTerm(kFullListTerm);
  const std::wstring done = L"検索完了!\u3000" + std::to_wstring(expected.lines.size()) + L"件";
  std::vector<double> times, silences;
  for (int rep = 0; rep < EnvOr("KARIO_BENCH_REPS", 5); ++rep) {
    std::atomic<bool> stop{false};
    double longest = 0;
    const double start = Seconds();
    std::thread probe([&] {
      for (double answered = start; !stop;) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 20, &result)) answered = Seconds();
        longest = std::max(longest, Seconds() - answered);
      }
    });
    PostCommand(main_, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON));
    MessageBoxSeen box = WaitForMessageBox(Pid(), L"カリオSearch", 3600000);
    const double elapsed = Seconds() - start;
    stop = true;
    probe.join();
    ASSERT_EQ(box.text, done);
    ASSERT_TRUE(PressMessageBoxButton(box, IDOK));
    times.push_back(elapsed), silences.push_back(longest);
    std::printf("%zu lines: search to message %.3f s, longest without an answer %.3f s\n", expected.lines.size(),
                elapsed, longest);
  }
  std::printf("median of %zu: search to message %.3f s, longest without an answer %.3f s\n", times.size(),
              Median(times), Median(silences));
}

}  // namespace
