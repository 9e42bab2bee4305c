#include "app/unit_lists.h"

#include <QByteArray>
#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/text.h"

namespace levywise {
namespace {

constexpr int kItemBytesRole = Qt::UserRole;

} // namespace

void FillUnitList(QComboBox* list, std::vector<std::string> items, ListOrder order) {
    // std::string compares bytes as unsigned values: the order of the table.
    if (order == ListOrder::SortedByText) std::stable_sort(items.begin(), items.end());
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& item : items) {
        const QString text = FromCp1252(item);
        list->addItem(text, QByteArray(item.data(), static_cast<qsizetype>(item.size())));
        // Read aloud as the name and the code, without the blanks between.
        list->setItemData(list->count() - 1,
                          text.chopped(3).trimmed() + QLatin1Char(' ') + text.right(3),
                          Qt::AccessibleTextRole);
    }
}

std::string SelectedUnitCode(const QComboBox* list) {
    if (list->currentIndex() < 0) return {};
    const QByteArray item = list->currentData(kItemBytesRole).toByteArray();
    return item.right(3).toStdString();
}

} // namespace levywise
