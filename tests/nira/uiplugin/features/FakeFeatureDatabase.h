// The capability database's per-feature tables as a handler queries them: each statement answers
// the rows a test gave for it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"

class FakeFeatureDatabase : public INiraFeatureDatabase {
public:
    std::map<std::string, std::vector<std::string>> rows;  // statement -> first column of each row
    std::map<std::string, std::vector<std::vector<std::string>>> tables;  // statement -> whole rows
    std::vector<std::string> statements;
    int mode = 0;

    LONG SetMode(INT value) override
    {
        mode = value;
        return 0;
    }
    LONG ClearMode(INT) override { return 0; }
    LONG Execute(LPCSTR sql) override
    {
        statements.push_back(sql);
        for (std::vector<std::string>& row : tables[sql]) {
            std::vector<char*> values;
            std::vector<char*> names;
            char name[] = "column";
            for (std::string& value : row) {
                values.push_back(&value[0]);
                names.push_back(name);
            }
            m_callback(m_argument, static_cast<int>(values.size()), values.data(), names.data());
        }
        for (std::string& row : rows[sql]) {
            char* values[] = {&row[0]};
            char name[] = "column";
            char* names[] = {name};
            m_callback(m_argument, 1, values, names);
        }
        return 0;
    }
    LONG MakeTableName(UINT, LPWSTR) override { return 0; }
    LONG Reserved5() override { return 0; }
    LONG SetCallback(NiraQueryRowCallback callback, void* argument) override
    {
        m_callback = callback;
        m_argument = argument;
        return 0;
    }
    LONG GetResult(char**, INT*) override { return 0; }
    LONG FreeError() override { return 0; }

private:
    NiraQueryRowCallback m_callback = nullptr;
    void* m_argument = nullptr;
};
