#include "app/SortFunctions.h"

#include <algorithm>

namespace {

inline unsigned char UpperByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 'a' + 'A') : b;
}

inline bool IsSortFolder(const TVornChildItem& row) { return row.IconIndex == 1; }

// Folder rows first when exactly one of the two is a folder row; 0 otherwise.
inline int CompareFolderFirst(const TVornChildItem& a, const TVornChildItem& b) {
    const bool folderA = IsSortFolder(a), folderB = IsSortFolder(b);
    if (folderA == folderB) return 0;
    return folderA ? -1 : 1;
}

}  // namespace

int CompareText(const std::string& a, const std::string& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = UpperByte(a[i]), cb = UpperByte(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int CompareInteger(uint32_t x, uint32_t y) { return x > y ? 1 : x < y ? -1 : 0; }

int CompareDateTime(const std::optional<TDosDateTime>& a, const std::optional<TDosDateTime>& b) {
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    if (*a < *b) return -1;
    if (*b < *a) return 1;
    return 0;
}

int CompareByName(const TVornChildItem& a, const TVornChildItem& b) {
    if (const int folders = CompareFolderFirst(a, b)) return folders;
    return CompareText(a.Name, b.Name);
}

int CompareByType(const TVornChildItem& a, const TVornChildItem& b) {
    if (const int folders = CompareFolderFirst(a, b)) return folders;
    if (!IsSortFolder(a))
        if (const int types = CompareText(a.TypeName, b.TypeName)) return types;
    return CompareText(a.Name, b.Name);
}

int CompareBySize(const TVornChildItem& a, const TVornChildItem& b) {
    if (const int folders = CompareFolderFirst(a, b)) return folders;
    if (!IsSortFolder(a))
        if (const int sizes = CompareInteger(a.Size, b.Size)) return sizes;
    return CompareText(a.Name, b.Name);
}

int CompareByDate(const TVornChildItem& a, const TVornChildItem& b) {
    if (const int times = CompareDateTime(a.Modified, b.Modified)) return times;
    return CompareText(a.Name, b.Name);
}

namespace {
using TCompare = int (*)(const TVornChildItem&, const TVornChildItem&);

TCompare CompareFor(TSortKey key) {
    switch (key) {
    case TSortKey::Type: return CompareByType;
    case TSortKey::Size: return CompareBySize;
    case TSortKey::Date: return CompareByDate;
    default: return CompareByName;
    }
}
}  // namespace

int CompareRows(const TSortOrder& order, const TVornChildItem& a, const TVornChildItem& b) {
    const int result = CompareFor(order.Key)(a, b);
    return order.Descending ? -result : result;
}

void SortRows(TRows& rows, const TSortOrder& order) {
    const TCompare compare = CompareFor(order.Key);
    if (order.Descending)
        std::sort(rows.begin(), rows.end(),
                  [compare](const TVornChildItem& a, const TVornChildItem& b) { return compare(b, a) < 0; });
    else
        std::sort(rows.begin(), rows.end(),
                  [compare](const TVornChildItem& a, const TVornChildItem& b) { return compare(a, b) < 0; });
}

TSortKey SortKeyForCaption(const QString& caption) {
    if (caption == QLatin1String("Name")) return TSortKey::Name;
    if (caption == QLatin1String("Size")) return TSortKey::Size;
    if (caption == QLatin1String("Type")) return TSortKey::Type;
    if (caption == QLatin1String("Last Modified")) return TSortKey::Date;
    return TSortKey::None;
}

bool ApplyHeaderClick(TSortOrder& order, const QString& caption) {
    const TSortKey key = SortKeyForCaption(caption);
    if (key == TSortKey::None) return false;
    order.Descending = key == order.Key ? !order.Descending : false;
    order.Key = key;
    return true;
}
