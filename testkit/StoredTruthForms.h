#pragma once
// The forms in which other tools store a yes/no value (as SQL literals), with
// the truth platform::storedTruth gives each: a number counts when it is not
// 0, a text when SQLite reads it as a number that is not 0, a blob never.
// What a column holds depends on its declared type: a TEXT column turns an
// infinity into the text 'Inf', which is no number, so two forms differ
// there. The declarations other tools give a yes/no column come with them.

namespace testkit {

struct StoredTruthForm {
    const char* literal;
    bool truth;         // in a column of numeric or no declared type
    bool truthAsText;   // in a TEXT column
};

inline constexpr StoredTruthForm kStoredTruthForms[] = {
    {"-1", true, true},
    {"1", true, true},
    {"0", false, false},
    {"0.25", true, true},
    {"NULL", false, false},
    {"'TRUE'", false, false},
    {"'yes'", false, false},
    {"''", false, false},
    {"x'01'", false, false},
    {"x'31'", false, false},
    {"'no'", false, false},
    {"' 2 apples'", true, true},
    {"'0 apples'", false, false},
    {"'-.5x'", true, true},
    {"'.e1'", false, false},
    {"'0x1'", false, false},
    {"'1e999x'", true, true},
    {"'1e-999x'", false, false},
    {"' \t+3e2z'", true, true},
    {"'e5'", false, false},
    {"1e-320", true, true},
    {"'+.5e1x'", true, true},
    {"9e999", true, false},
    {"-9e999", true, false},
    {"char(160) || '1'", false, false},
    {"'0.0'", false, false},
    {"'-1'", true, true},
    {"'Infinity'", false, false},
    {"'abc'", false, false},
};

// Declarations of a yes/no column: this program's own, the ones other tools
// give, and none.
inline constexpr const char* kYesNoDeclarations[] = {"BOOLEAN", "INTEGER", "DOUBLE", "TEXT", ""};

inline bool isTextDeclaration(const char* declaration) { return declaration[0] == 'T'; }

} // namespace testkit
