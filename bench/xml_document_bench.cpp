// Reading the documents the program reads at start and on import: a keyboard layout of 110
// keys and a document of 1,000 elements, each loaded from a file and walked attribute by
// attribute; and writing 1,000 elements in the writer's order.
#include <benchmark/benchmark.h>

#include <string>

#include "lumoui/base/format.h"
#include "support/temp_folder.h"
#include "xml/xml_document.h"

namespace {

constexpr int kKeyCount = 110;
constexpr int kElementCount = 1000;

const wchar_t* const kKeyAttributes[] = {L"code",      L"name",    L"desc",
                                         L"key_index", L"row_col", L"rect"};

// A layout file as the program ships them: device.info > Keyboard > KeyItems > 110 keys.
std::string LayoutText() {
    CString text =
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<device.info>\r\n"
        L"<menu macro=\"1\" light_mode=\"1\"/>\r\n<function sleep_time=\"1\"/>\r\n"
        L"<light rgb_keyboard=\"1\" default_mode=\"1\" brightness_max=\"4\">\r\n";
    for (int mode = 0; mode < 20; ++mode) {
        text += Format(L"<info name=\"%d\" mode=\"%d\" attribute=\"31\"/>\r\n", 300 + mode, mode);
    }
    text +=
        L"</light>\r\n<Keyboard xpos=\"40\" ypos=\"120\" width=\"1200\" height=\"420\" "
        L"image=\"k201.png\" row_count=\"6\" col_count=\"21\">\r\n<KeyItems>\r\n";
    for (int key = 0; key < kKeyCount; ++key) {
        const int row = key / 21;
        const int column = key % 21;
        text += Format(
            L"<key code=\"0x%02X\" name=\"Key %d\" desc=\"Touche n\u00B0%d &amp; co\" "
            L"key_index=\"%d\" light_index=\"%d\" icon=\"\" row_col=\"%d#%d\" "
            L"rect=\"%d#%d#52#52\"/>\r\n",
            4 + key, key, key, key, key, row, column, 40 + 56 * column, 120 + 56 * row);
    }
    text += L"</KeyItems>\r\n</Keyboard>\r\n</device.info>\r\n";
    return WideToUtf8(text);
}

std::string ThousandElementText() {
    CString text = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n";
    for (int i = 0; i < kElementCount; ++i) {
        text += Format(L"<item id=\"%d\" name=\"Macro %d\" value=\"%d\"/>\r\n", i, i, i * 7);
    }
    text += L"</profile>\r\n";
    return WideToUtf8(text);
}

// Reads every attribute of every key, as the layout loader does.
size_t WalkLayout(XmlDocument& document) {
    size_t characters = 0;
    document.FindElement(L"device.info");
    document.EnterElement();
    document.FindElement(L"Keyboard");
    document.EnterElement();
    document.FindElement(L"KeyItems");
    document.EnterElement();
    while (document.FindElement(L"key")) {
        for (const wchar_t* name : kKeyAttributes) {
            characters += document.GetAttribute(name).size();
        }
    }
    return characters;
}

size_t WalkItems(XmlDocument& document) {
    size_t characters = 0;
    document.FindElement(L"profile");
    document.EnterElement();
    while (document.FindElement(L"item")) {
        characters += document.GetAttribute(L"id").size() + document.GetAttribute(L"name").size() +
                      document.GetAttribute(L"value").size();
    }
    return characters;
}

template <size_t (*Walk)(XmlDocument&)>
void LoadAndWalk(benchmark::State& state, const std::string& text) {
    TempFolder folder;
    folder.WriteFile("document.xml", text);
    const CString path = Utf8ToWide(folder / "document.xml");
    for (auto _ : state) {
        XmlDocument document;
        if (!document.LoadFile(path)) {
            state.SkipWithError("the document did not load");
            break;
        }
        benchmark::DoNotOptimize(Walk(document));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_LoadLayout110Keys(benchmark::State& state) {
    LoadAndWalk<WalkLayout>(state, LayoutText());
}
BENCHMARK(BM_LoadLayout110Keys);

void BM_ParseLayout110Keys(benchmark::State& state) {
    const CString text = Utf8ToWide(LayoutText());
    for (auto _ : state) {
        XmlDocument document;
        document.SetText(text);
        benchmark::DoNotOptimize(WalkLayout(document));
    }
}
BENCHMARK(BM_ParseLayout110Keys);

void BM_Load1000Elements(benchmark::State& state) {
    LoadAndWalk<WalkItems>(state, ThousandElementText());
}
BENCHMARK(BM_Load1000Elements);

void BM_Build1000Elements(benchmark::State& state) {
    for (auto _ : state) {
        XmlDocument document;
        document.SetText(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
        document.AddElement(L"profile");
        document.EnterElement();
        for (int i = 0; i < kElementCount; ++i) {
            document.AddElement(L"item");
            document.SetAttribute(L"id", i);
            document.SetAttribute(L"name", L"Macro");
        }
        benchmark::DoNotOptimize(document.Text().size());
    }
}
BENCHMARK(BM_Build1000Elements);

}  // namespace
