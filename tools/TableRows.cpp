// Finding a row of the table by its number or its turn.
#include "TableRows.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace {

// Digits, after a minus sign or not.
bool IsWholeNumber(std::string_view text) {
    const std::string_view digits = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
    return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a whole number's text; nothing when it is too large for any row or turn.
std::optional<std::int64_t> ValueOf(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

TableRows::TableRows(const CZentharoDoc& document, int lastRow, const char* outside)
    : m_document(document), m_lastRow(lastRow), m_outside(outside) {}

TableRows::Found TableRows::Find(std::string_view name) const {
    const bool byTurn = !name.empty() && name.front() == 't';
    const std::string_view number = name.substr(byTurn ? 1 : 0);
    if (!IsWholeNumber(number))
        return {std::nullopt, "'" + std::string(name) + "' is neither a row nor a turn (" + Ranges(false, "t") + ")"};
    if (const auto value = ValueOf(number)) {
        for (int row = 0; row <= m_lastRow; ++row)
            if (byTurn ? ValueOf(m_document.m_turn[row].View()) == value : row == *value)
                return {row, {}};
    }
    return {std::nullopt,
            (byTurn ? "turn " : "row ") + std::string(number) + " " + m_outside + " (" + Ranges(byTurn) + ")"};
}

std::string TableRows::Ranges(bool turnsFirst, const char* turnMark) const {
    const std::string& first = m_document.m_turn[0].Bytes();
    const char* to = first.front() == '-' ? " to " : "-"; // "turns -3 to 16" rather than "turns -3-16"
    const std::string turns = "turns " + (turnMark + first) + to + turnMark + m_document.m_turn[m_lastRow].Bytes();
    const std::string rows = "rows 0-" + std::to_string(m_lastRow);
    return turnsFirst ? turns + ", or " + rows : rows + ", or " + turns;
}
