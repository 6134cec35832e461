// Planet records and documents shared by the model tests.
#pragma once

#include "model/CZentharoDoc.h"
#include "model/DocumentColumns.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Size 1000, Res 2, Pop 800, Col 10, Ind 400, Cap 50, Mat 30, producing "Ship": the worked example.
using RecordChanges = std::vector<std::pair<const char*, const char*>>;

inline CMapStringToString ExampleRecord(const RecordChanges& changes = {}) {
    CMapStringToString record;
    const std::pair<const char*, const char*> pairs[] = {
        {"Name", "Terra"},   {"Num", "17"},     {"GameName", "Alpha"}, {"Turn", "40"},
        {"Size", "1000"},    {"Resource", "2"}, {"Population", "800"}, {"COL", "10"},
        {"Industry", "400"}, {"CAP", "50"},     {"MAT", "30"},         {"Production", "Ship"},
    };
    for (const auto& [key, value] : pairs)
        record.SetAt(key, value);
    for (const auto& [key, value] : changes)
        record.SetAt(key, value);
    return record;
}

// A document as a window opens it: created, titled and recalculated once.
inline std::unique_ptr<CZentharoDoc> OpenedDocument(const CMapStringToString& record) {
    auto document = std::make_unique<CZentharoDoc>(record);
    document->m_bAutoDelete = false;
    document->OnNewDocument();
    document->Recalculate(0);
    return document;
}

// Every stored text of rows 0..20, column by column: equal tables are equal byte for byte.
inline std::string AllTexts(const CZentharoDoc& document) {
    std::string texts;
    for (const DocumentColumn& column : kDocumentColumns)
        for (int row = 0; row < kProjectionRows; ++row)
            texts.append((document.*column.member)[row].View()).append(1, '\0');
    return texts;
}
