// Loading a large location list: every stored name goes through the sorted insert in the locale's
// order, as at each open of a data file.
#include "core/lists/CategoryList.h"
#include "core/storage/FixedObjectStore.h"

#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

class MemoryStore : public IFixedObjectStore
{
  public:
    HRESULT ReadFixedObject(int, QByteArray &data) override
    {
        data = blob;
        return S_OK;
    }
    HRESULT WriteFixedObject(int, const QByteArray &data) override
    {
        blob = data;
        return S_OK;
    }
    std::uint32_t GetFormatVersion() const override { return kDataFormatCurrent; }
    QByteArray blob;
};

void LoadLocationList(benchmark::State &state)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    MemoryStore store;
    {
        CCategoryList list;
        for (int i = 0; i < state.range(0); ++i)
            list.Add(CCategory(QStringLiteral("Location %1 street").arg(i * 7919 % 100000)));
        list.Save(store);
    }
    for (auto _ : state) {
        CCategoryList list;
        benchmark::DoNotOptimize(list.Load(store));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LoadLocationList)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
