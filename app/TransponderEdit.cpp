#include "app/TransponderEdit.h"

#include "app/DialogFields.h"
#include "app/MainLists.h"
#include "app/ServiceCommands.h"
#include "settings/Fields.h"
#include "settings/NameTables.h"
#include "settings/Unit_lib.h"

#include <cstdio>

std::vector<std::string> TpSatItems(const std::vector<std::string>& satFilterItems)
{
    std::vector<std::string> items;
    if (satFilterItems.size() > 1)
        items.assign(satFilterItems.begin() + 1, satFilterItems.end());
    for (const TY_ENIG_SAT& sat : Satellites) {
        bool merged = false;
        for (std::string& item : items)
            if (item.compare(0, 6, sat.PositionText) == 0 && sat.PositionText.size() == 6) {
                item = item.substr(0, 6) + " --> " + sat.Name;
                merged = true;
                break;
            }
        if (!merged)
            items.push_back(sat.PositionText + " " + sat.Name);
    }
    return items;
}

std::vector<std::string> FecItems(std::int32_t v)
{
    if (v == VER_ENIGMA2_3 || v == VER_ENIGMA2_4)
        return {"Auto", "1/2", "2/3", "3/4", "3/5", "4/5", "5/6", "7/8", "8/9", "9/10", "None"};
    return {"Auto", "1/2", "2/3", "3/4", "5/6", "7/8", "None"};
}

std::optional<std::string> NormalizePosition(const std::string& text)
{
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot > 3 || text.size() != dot + 3)
        return std::nullopt;
    const char side = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    if (side != 'E' && side != 'W')
        return std::nullopt;
    int degrees = 0;
    for (std::size_t i = 0; i < dot; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        degrees = degrees * 10 + (text[i] - '0');
    }
    if (!std::isdigit(static_cast<unsigned char>(text[dot + 1])) || degrees * 10 + (text[dot + 1] - '0') > 1800)
        return std::nullopt;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%03d.%c%c", degrees, text[dot + 1], side);
    return std::string(buf);
}

std::int32_t PositionTenths(const std::string& position)
{
    const auto p = NormalizePosition(position);
    if (!p)
        return 0;
    const std::int32_t tenths = std::stoi(p->substr(0, 3)) * 10 + ((*p)[4] - '0');
    return (*p)[5] == 'W' ? -tenths : tenths;
}

std::string NamespacePosition(const std::string& position)
{
    const std::int32_t t = PositionTenths(position);
    return std::to_string(t < 0 ? 3600 + t : t);
}

namespace {

bool PositiveNumber(const std::string& text)
{
    std::int32_t v = 0;
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos && TryParseInt(text, v) && v > 0;
}

} // namespace

std::variant<TTpStored, TTpError> StoreTransponder(std::int32_t index, const TTpFields& f, bool decimal)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Transponders.size())
        return TTpError{TTpField::Frequency, "The transponder is no longer in the list"};
    TY_ENIG_TP& tp = Transponders[static_cast<std::size_t>(index)];
    const bool satellite = tp.Kind == "S";

    std::string position = tp.Position;
    if (satellite) {
        const auto p = NormalizePosition(f.SatItem.substr(0, 6));
        if (!p)
            return TTpError{TTpField::Satellite, NoSatelliteText};
        position = *p;
    }
    if (!PositiveNumber(f.Frequency))
        return TTpError{TTpField::Frequency, NotIntegerText(f.Frequency)};
    if (satellite && !PositiveNumber(f.SymbolRate))
        return TTpError{TTpField::SymbolRate, NotIntegerText(f.SymbolRate)};
    const auto tsid = IdFromText(f.Tsid, decimal, false);
    if (!tsid)
        return TTpError{TTpField::Tsid, IdErrorText(decimal)};
    const auto onid = IdFromText(f.Onid, decimal, false);
    if (!onid)
        return TTpError{TTpField::Onid, IdErrorText(decimal)};

    // Two transponders with one key could not be told apart: their
    // services would all go to the first after a save and load.
    const std::string ns = NamespaceHex(
        CalcNamespace(tp.Kind, *tsid, *onid, f.Frequency, satellite ? NamespacePosition(position) : std::string("0")));
    const std::string key = ns + *tsid + *onid;
    for (std::size_t i = 0; i < Transponders.size(); ++i)
        if (static_cast<std::int32_t>(i) != index && Transponders[i].Key == key)
            return TTpError{TTpField::Tsid, SameTransponderText};

    const TY_ENIG_TP before = tp;
    tp.Position = position;
    tp.Frequency = f.Frequency;
    if (satellite) {
        tp.Polarisation = std::to_string(f.Polarisation);
        tp.SymbolRate = f.SymbolRate;
        // A FEC the list does not offer (a DVB-S2 rate read with an Enigma 1
        // set) stays as it was.
        if (!f.FecText.empty())
            tp.Fec = FecTextToIndex(f.FecText);
    }
    tp.Tsid = *tsid;
    tp.Onid = *onid;
    tp.Namespace = ns;
    tp.Inversion = f.Inversion;
    tp.ScanFlags = f.ScanFlags;
    tp.System = f.System;
    tp.Modulation = f.Modulation;
    tp.RollOff = f.RollOff;
    tp.Pilot = f.Pilot;
    tp.Key = key;
    if (tp.Key != before.Key)
        for (TY_ENIG_CH& s : Services)
            if (s.TpIndex == index)
                s.Key = s.Sid + tp.Key + std::to_string(s.ServiceType);
    Modified = true;
    TTpStored stored;
    stored.ListChanged = tp.Position != before.Position || tp.Frequency != before.Frequency ||
                         tp.Polarisation != before.Polarisation || tp.SymbolRate != before.SymbolRate ||
                         tp.Fec != before.Fec;
    return stored;
}

std::int32_t AppendNewTransponder()
{
    TY_ENIG_TP tp;
    tp.Namespace = "00000000";
    tp.Tsid = "0000";
    tp.Onid = "0000";
    tp.Key = std::string(16, '0');
    tp.Kind = "S";
    tp.Frequency = "10000000";
    tp.SymbolRate = "27500000";
    tp.Polarisation = "0";
    tp.Fec = "0";
    tp.Position = "13.0E";
    Transponders.push_back(tp);
    return static_cast<std::int32_t>(Transponders.size() - 1);
}

std::size_t DeleteTransponder(std::int32_t index, bool withServices)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Transponders.size())
        return 0;
    std::size_t removed = 0;
    if (withServices) {
        std::vector<std::int32_t> numbers;
        for (const TY_ENIG_CH& s : Services)
            if (s.TpIndex == index)
                numbers.push_back(s.Number);
        removed = DeleteServices(numbers);
    }
    Transponders.erase(Transponders.begin() + index);
    for (TY_ENIG_CH& s : Services)
        if (s.TpIndex > index)
            --s.TpIndex;
    Modified = true;
    return removed;
}
