#include "input/read_inputs.h"

#include <array>
#include <optional>

#include "input/field_map.h"
#include "model/number_text.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

// One reading: each step either passes or leaves the failure message.
class Reader {
public:
    Reader(const InputSources& sources, MotorDesign& design) : sources_(sources), m_(design) {}

    ReadResult Run();

private:
    // Reads a number into `target`; false (with the message) when the text is not one.
    bool Number(int edit, double& target);
    bool Integer(int edit, std::int32_t& target);
    bool Fail(std::string message);
    bool Positive(int edit, double value);
    bool Check(bool fails, const char* message);

    bool PropellantConstants();
    bool SelectedPropellant();
    bool Chamber();
    bool CoredGrains();
    bool SurfaceFlags();
    bool NozzleAndBurning();

    const InputSources& sources_;
    MotorDesign& m_;
    std::array<PropellantSpec, kPropellantCount> propellants_{};
    int Ftype_ = 0;
    std::string message_;
};

bool Reader::Fail(std::string message) {
    message_ = std::move(message);
    return false;
}

bool Reader::Number(int edit, double& target) {
    const auto value = ParseNumber(sources_.fieldText(edit));
    if (!value) {
        return Fail(NotANumberMessage(NameOfField(edit)));
    }
    target = *value;
    return true;
}

bool Reader::Integer(int edit, std::int32_t& target) {
    const auto value = ParseInteger(sources_.fieldText(edit));
    if (!value) {
        return Fail(NotANumberMessage(NameOfField(edit)));
    }
    target = *value;
    return true;
}

bool Reader::Positive(int edit, double value) {
    return value > 0 || Fail(MustBePositiveMessage(NameOfField(edit)));
}

bool Reader::Check(bool fails, const char* message) {
    return !fails || Fail(message);
}

// All three propellants are read, constant by constant, whichever is selected.
bool Reader::PropellantConstants() {
    using Member = double PropellantSpec::*;
    struct Column {
        int PropellantFields::*edit;
        Member value;
    };
    // The reading order: M, k, To, k2ph, then the ideal densities.
    constexpr Column kColumns[] = {
        {&PropellantFields::M, &PropellantSpec::M},
        {&PropellantFields::k, &PropellantSpec::k},
        {&PropellantFields::To, &PropellantSpec::To},
        {&PropellantFields::k2ph, &PropellantSpec::k2ph},
        {&PropellantFields::pPrime, &PropellantSpec::pPrime},
    };
    for (const Column& column : kColumns) {
        for (int type = 0; type < kPropellantCount; ++type) {
            if (!Number(kPropellantFields[type].*column.edit, propellants_[type].*column.value)) {
                return false;
            }
        }
    }
    return true;
}

// The selected propellant's constants are taken once all five have passed their checks. A
// ratio of specific heats at or below 1 would make the gas formulas divide by zero.
bool Reader::SelectedPropellant() {
    if (!IsValidFtype(Ftype_)) {
        return true;
    }
    const PropellantFields& f = kPropellantFields[Ftype_ - 1];
    const PropellantSpec& constants = propellants_[Ftype_ - 1];
    const auto aboveOne = [this](int edit, double value) {
        return value > 1 || Fail(MustExceedOneMessage(NameOfField(edit)));
    };
    if (!Positive(f.M, constants.M) || !Positive(f.k, constants.k) || !aboveOne(f.k, constants.k) ||
        !Positive(f.To, constants.To) || !Positive(f.k2ph, constants.k2ph) ||
        !aboveOne(f.k2ph, constants.k2ph) || !Positive(f.pPrime, constants.pPrime)) {
        return false;
    }
    m_.propellant = constants;
    return true;
}

bool Reader::Chamber() {
    double Dc = 0;
    double Lc = 0;
    if (!Number(field::kDc, Dc) || !Positive(field::kDc, Dc) || !Number(field::kLc, Lc) ||
        !Positive(field::kLc, Lc)) {
        return false;
    }
    m_.Dc = Dc;
    m_.Lc = Lc;
    return true;
}

// Without cored grains their fields are read but not checked.
bool Reader::CoredGrains() {
    const bool checked = m_.grainKind != kEndBurnerOnly;
    if (!Number(field::kDo, m_.Do)) {
        return false;
    }
    if (checked && (!Positive(field::kDo, m_.Do) ||
                    !Check(m_.Do > m_.Dc, "Do не должен быть больше Dc [вкладка 1]"))) {
        return false;
    }
    if (!Number(field::kdo, m_.do_)) {
        return false;
    }
    if (checked && (!Positive(field::kdo, m_.do_) ||
                    !Check(m_.do_ >= m_.Do, "do должно быть меньше, чем Do [вкладка 1]"))) {
        return false;
    }
    if (!Number(field::kLo, m_.Lo) || (checked && !Positive(field::kLo, m_.Lo))) {
        return false;
    }
    if (!Integer(field::kN, m_.N)) {
        return false;
    }
    return !checked || (Positive(field::kN, m_.N) &&
                        Check(static_cast<double>(m_.N) * m_.Lo > m_.Lc,
                              "Общая длина шашек больше длины камеры сгорания [вкладка 1]"));
}

bool Reader::SurfaceFlags() {
    m_.Os = sources_.Os;
    m_.Cs = sources_.Cs;
    m_.Es = sources_.Es;
    const bool noSurface = m_.Os == 0 && m_.Cs == 0 && m_.Es == 0;
    return m_.grainKind == kEndBurnerOnly ||
           Check(noSurface, "Нет поверхностей для горения [вкладка 1]");
}

bool Reader::NozzleAndBurning() {
    const bool endBurnerOnly = m_.grainKind == kEndBurnerOnly;
    if (!Number(field::kRoiRor, m_.RoiRor) || !Number(field::kKno, m_.Kno) ||
        !Positive(field::kKno, m_.Kno) || !Number(field::ke, m_.e)) {
        return false;
    }
    // No erosion is allowed although the message asks for more than 0.
    if (m_.e < 0) {
        return Fail(MustBePositiveMessage(NameOfField(field::ke)));
    }
    if (!Number(field::kLto, m_.Lto) || (endBurnerOnly && !Positive(field::kLto, m_.Lto)) ||
        !Number(field::kDto, m_.Dto) || (endBurnerOnly && !Positive(field::kDto, m_.Dto))) {
        return false;
    }
    return Number(field::kuc, m_.uc) && Number(field::kPatm, m_.Patm) &&
           Number(field::kGStar, m_.GStar) && Number(field::kkv, m_.kv) &&
           Number(field::kunoz, m_.unoz) && Number(field::kAeAt, m_.AeAt);
}

ReadResult Reader::Run() {
    Ftype_ = sources_.selectedPropellant + 1;
    const bool ok = PropellantConstants() && SelectedPropellant() && Chamber() && CoredGrains() &&
                    SurfaceFlags() && NozzleAndBurning();
    return {ok, ok ? std::string() : message_};
}

}  // namespace

ReadResult ReadAndValidate(const InputSources& sources, MotorDesign& design) {
    return Reader(sources, design).Run();
}

BurnRateTable ReadBurnRateTable(const std::function<std::string_view(int edit)>& fieldText,
                                int Ftype) {
    BurnRateTable table;
    if (!IsValidFtype(Ftype)) {
        return table;
    }
    const BurnRateFields& f = kBurnRateFields[Ftype - 1];
    auto cell = [&](int edit, double& target) {
        const auto value = ParseNumber(fieldText(edit));
        table.nonNumericCell = table.nonNumericCell || !value;
        target = value.value_or(0.0);
    };
    for (int j = 0; j < kBurnRateRanges; ++j) {
        BurnRateRange& range = table.ranges[j];
        cell(f.lower + j, range.lower);
        cell(f.upper + j, range.upper);
        cell(f.a + j, range.a);
        cell(f.n + j, range.n);
    }
    return table;
}

}  // namespace tarvo
