// Taking, comparing and storing the player's inputs, over the document's table of columns.
#include "TableInputs.h"

#include "CZentharoDoc.h"
#include "DocumentColumns.h"

namespace {

using Member = ProjectionColumn CZentharoDoc::*;

// The editable columns of the document's table, in its order.
constexpr std::array<Member, TableInputs::kColumnCount> InputMembers() {
    std::array<Member, TableInputs::kColumnCount> members{};
    std::size_t next = 0;
    for (const DocumentColumn& column : kDocumentColumns)
        if (column.editable)
            members[next++] = column.member;
    return members;
}

constexpr int EditableColumnCount() {
    int count = 0;
    for (const DocumentColumn& column : kDocumentColumns)
        count += column.editable ? 1 : 0;
    return count;
}
static_assert(EditableColumnCount() == TableInputs::kColumnCount);

constexpr std::array<Member, TableInputs::kColumnCount> kInputMembers = InputMembers();

} // namespace

TableInputs TableInputs::Of(const CZentharoDoc& document) {
    TableInputs inputs;
    for (int i = 0; i < kColumnCount; ++i)
        inputs.m_columns[i] = document.*kInputMembers[i];
    return inputs;
}

bool TableInputs::Match(const CZentharoDoc& document) const {
    for (int i = 0; i < kColumnCount; ++i) {
        const ProjectionColumn& held = document.*kInputMembers[i];
        const ProjectionColumn& kept = m_columns[i];
        if (held.GetSize() != kept.GetSize())
            return false;
        for (int row = 0; row < held.GetSize(); ++row)
            if (held[row] != kept[row])
                return false;
    }
    return true;
}

void TableInputs::StoreInto(CZentharoDoc& document) const {
    for (int i = 0; i < kColumnCount; ++i)
        document.*kInputMembers[i] = m_columns[i];
}

TableInputs TableInputs::ByTurn(const TableInputs& source, std::int64_t fromTurn, const TableInputs& target,
                                std::int64_t toTurn) {
    TableInputs moved = target;
    for (int row = 0; row < kProjectedTurns; ++row) {
        const std::int64_t sourceRow = toTurn + row - fromTurn;
        if (sourceRow < 0 || sourceRow >= kProjectedTurns)
            continue;
        for (int i = 0; i < kColumnCount; ++i)
            if (sourceRow < source.m_columns[i].GetSize() && row < moved.m_columns[i].GetSize())
                moved.m_columns[i][row] = source.m_columns[i][static_cast<int>(sourceRow)];
    }
    return moved;
}
