// Wrapping a message box's text to the screen: the cost must grow with the
// text's length, not its square, whatever the text holds.  Each text is
// wrapped at 16 characters a line; the fitted complexity is printed.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/message_box_fit.h"

namespace {

void Wrap(benchmark::State& state, const std::u16string& start, char16_t unit) {
  const std::u16string text = start + std::u16string(static_cast<std::size_t>(state.range(0)), unit);
  const MeasureCharacter twelve = [](const char16_t*, std::size_t) { return 12; };
  for (auto _ : state) benchmark::DoNotOptimize(WrapMessageText(text, twelve, 200));
  state.SetComplexityN(state.range(0));
}

// Kanji with one blank before them all, which no later line may break at.
void BM_WrapKanjiAfterOneBlank(benchmark::State& state) { Wrap(state, u" ", u'東'); }
// Marks no line may start with, so every break looks back over its line.
void BM_WrapClosingMarks(benchmark::State& state) { Wrap(state, u"", u'、'); }

BENCHMARK(BM_WrapKanjiAfterOneBlank)->RangeMultiplier(4)->Range(4096, 65536)->Complexity();
BENCHMARK(BM_WrapClosingMarks)->RangeMultiplier(4)->Range(4096, 65536)->Complexity();

}  // namespace
