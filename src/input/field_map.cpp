#include "input/field_map.h"

#include "model/propellants.h"

namespace tarvo {
namespace {

std::string TabSuffix(int tab) {
    return " [вкладка " + std::to_string(tab) + "]";
}

// The propellant constants are named in English, after the propellant's fixed name.
std::string PropellantConstantName(int edit) {
    for (int type = 1; type <= kPropellantCount; ++type) {
        const PropellantFields& f = kPropellantFields[type - 1];
        const std::string of = " of " + std::string(PropellantName(type));
        if (edit == f.M) {
            return "Effective molecular wt." + of;
        }
        if (edit == f.k) {
            return "Ratio of specific heats, mixture," + of;
        }
        if (edit == f.To) {
            return "Chamber temperature" + of;
        }
        if (edit == f.k2ph) {
            return "Ratio of specific heats, 2-ph.," + of;
        }
        if (edit == f.pPrime) {
            return "Grain mass density, ideal," + of;
        }
    }
    return {};
}

struct MotorFieldName {
    int edit;
    const char* name;
    int tab;
};

constexpr MotorFieldName kMotorFieldNames[] = {
    {field::kDc, "Dc", 1},          {field::kLc, "Lc", 1},      {field::kDo, "Do", 1},
    {field::kdo, "do", 1},          {field::kLo, "Lo", 1},      {field::kN, "N", 1},
    {field::kRoiRor, "Roi/Ror", 1}, {field::kKno, "Kno", 1},    {field::ke, "e", 1},
    {field::kLto, "Lto", 1},        {field::kDto, "Dto", 1},    {field::kuc, "uc", 2},
    {field::kPatm, "Patm", 2},      {field::kGStar, "G*", 2},   {field::kkv, "kv", 2},
    {field::kunoz, "unoz", 3},      {field::kAeAt, "Ae/At", 3}, {field::kOs, "Os", 1},
    {field::kCs, "Cs", 1},          {field::kEs, "Es", 1},
};

}  // namespace

FieldName NameOfField(int edit) {
    for (const MotorFieldName& entry : kMotorFieldNames) {
        if (entry.edit == edit) {
            return {entry.name, entry.tab};
        }
    }
    std::string name = PropellantConstantName(edit);
    if (name.empty()) {
        return {};
    }
    return {std::move(name), 5};
}

std::string MustBePositiveMessage(const FieldName& field) {
    return "Должно быть больше 0 значение " + field.name + TabSuffix(field.tab);
}

std::string MustExceedOneMessage(const FieldName& field) {
    return "Должно быть больше 1 значение " + field.name + TabSuffix(field.tab);
}

std::string NotANumberMessage(const FieldName& field) {
    return "Не число в поле " + field.name + TabSuffix(field.tab);
}

}  // namespace tarvo
