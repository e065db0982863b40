#include "NameTable.h"

#include "LabelStore.h"

namespace {
const NameEntry kSegments[kSegmentCount] = {
    {L"Whole Desktop", L"WHOLE_DESKTOP"},   {L"Primary Monitor", L"PRIMARY_MONITOR"},
    {L"Secondary Monitor", L"SECONDARY_MONITOR"}, {L"Left Half", L"LEFT_HALF"},
    {L"Right Half", L"RIGHT_HALF"},         {L"Left Third", L"LEFT_THIRD"},
    {L"Middle Third", L"MIDDLE_THIRD"},     {L"Right Third", L"RIGHT_THIRD"},
    {L"Top Half", L"TOP_HALF"},             {L"Bottom Half", L"BOTTOM_HALF"},
    {L"Left Quarter", L"LEFT_QUARTER"},     {L"Right Quarter", L"RIGHT_QUARTER"},
    {L"Top Left", L"TOP_LEFT"},             {L"Top Right", L"TOP_RIGHT"},
    {L"Bottom Left", L"BOTTOM_LEFT"},       {L"Bottom Right", L"BOTTOM_RIGHT"},
};

const NameEntry kButtonModes[kButtonModeCount] = {
    {L"Touchdown Left", L"TOUCH_DOWN_LEFT"},
    {L"Touchdown Right", L"TOUCH_DOWN_RIGHT"},
    {L"Touchdown Immediate Left", L"TOUCH_DOWN_IMMEDIATE_LEFT"},
    {L"Touchdown Double Click Left", L"TOUCH_DOWN_DOUBLE_CLICK_LEFT"},
    {L"Touchdown Double Click Right", L"TOUCH_DOWN_DOUBLE_CLICK_RIGHT"},
    {L"Tap Left", L"TAP_LEFT"},
    {L"Liftoff Double Click Left", L"LIFT_OFF_DOUBLE_CLICK_LEFT"},
    {L"Liftoff Left", L"LIFT_OFF_LEFT"},
    {L"Time Left", L"TIME_LEFT"},
    {L"Time/Time Left", L"TIME_TIME_LEFT"},
    {L"Time/Tap Left", L"TIME_TAP_LEFT"},
    {L"Tap Double Click Left", L"TAP_DOUBLE_CLICK_LEFT"},
    {L"Time Double Click Left", L"TIME_DOUBLE_CLICK_LEFT"},
};

const NameEntry kControllerTypes[kControllerTypeCount] = {
    {L"Tiven,Zarn,Serial", L"TIVEN_SERIAL"},
    {L"Tiven USB", L"TIVEN_USB"},
};

const std::wstring kNoName;
}  // namespace

CNameTable::CNameTable(const NameEntry* entries, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        names_.emplace_back(entries[i].name);
        keys_.push_back(entries[i].labelKey);
    }
}

const std::wstring& CNameTable::Name(size_t index) const
{
    return index < names_.size() ? names_[index] : kNoName;
}

const wchar_t* CNameTable::LabelKeyAt(size_t index) const
{
    return index < keys_.size() ? keys_[index] : L"";
}

int CNameTable::IndexOf(const std::wstring& name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return static_cast<int>(i);
    return -1;
}

void CNameTable::LoadLabels(const CLabelStore& labels)
{
    for (size_t i = 0; i < names_.size(); ++i) {
        std::wstring text = labels.Lookup(keys_[i]);
        if (!text.empty())
            names_[i] = text;
    }
}

CNameTable MakeSegmentNames() { return CNameTable(kSegments, kSegmentCount); }
CNameTable MakeButtonModeNames() { return CNameTable(kButtonModes, kButtonModeCount); }
CNameTable MakeControllerTypeNames() { return CNameTable(kControllerTypes, kControllerTypeCount); }

void LoadSegmentNames(CNameTable& table, const CLabelStore& labels) { table.LoadLabels(labels); }
void LoadButtonModeNames(CNameTable& table, const CLabelStore& labels) { table.LoadLabels(labels); }
void LoadControllerNames(CNameTable& table, const CLabelStore& labels) { table.LoadLabels(labels); }
