// The numeric rules, case by case: text in, exact text or value out.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "event.h"
#include "numeric.h"
#include "real.h"
#include "rounded.h"

using namespace milfo;

namespace {

// The value ReadVal reads, and whether it reads the whole text (a strict
// reading of a cell accepts only those).
struct ReadCase {
    const char* text;
    double value;
    bool whole = true;
};

const ReadCase kReadCases[] = {
    {"", 0.0, false},
    {"  12.5  ", 12.5},
    {"1 2", 12.0},
    {"-3e2", -300.0},
    {".5", 0.5},
    {"12abc", 12.0, false},
    {"1,5", 1.0, false},
    {"abc", 0.0, false},
    {"&H10", 16.0},
    {"1.2.3", 1.2, false},
    {"-", 0.0, false},
    {".", 0.0, false},
    {"+7", 7.0},
    {"5.", 5.0},
    {"1e", 1.0, false},
    {"1e+", 1.0, false},
    {"2E-3", 0.002},
    {"\t4\n2", 42.0},
    {"1d3", 1000.0},
    {"1D-2", 0.01},
    {"--1", 0.0, false},
    {"0.1", 0.1},
    {"70.000001", 70.000001},
    // full-width input from a Japanese input method
    {"１２．５", 12.5},
    {"－４０", -40.0},
    {"\xE2\x88\x92"
     "3",
     -3.0},  // U+2212 minus sign
    {"＋８", 8.0},
    {"１ｅ３", 1000.0},
    {"１Ｅ－２", 0.01},
    {"\xE3\x80\x80"
     "５\xE3\x80\x80"
     "０",
     50.0},  // ideographic spaces dropped
    {"５０℃", 50.0, false},
    {"５，５", 5.0, false},
    // every full-width ASCII character reads as its ASCII form
    {"１ｄ２", 100.0},
    {"１Ｄ－２", 0.01},
    {"＆Ｈ１Ａ", 26.0},
    {"＆ｈｆｆ", 255.0},
    {"＆Ｏ１７", 15.0},
    {"１２ａｂｃ", 12.0, false},
    {"１２～", 12.0, false},
    // kana mode: the minus key types a dash, the point key 。
    {"ー１０", -10.0},
    {"\xE2\x80\x90"
     "１０",
     -10.0},  // U+2010 hyphen
    {"\xE2\x80\x92"
     "１０",
     -10.0},  // U+2012 figure dash
    {"\xE2\x80\x93"
     "１０",
     -10.0},  // U+2013 en dash
    {"\xE2\x80\x95"
     "１０",
     -10.0},  // U+2015 horizontal bar
    {"１２。５", 12.5},
    {"１２｡５", 12.5},
    {"。５", 0.5},
    {"１ｅー２", 0.01},
    {"１Ｅ\xE2\x80\x93"
     "２",
     0.01},
    // a dash where no sign may stand ends the number
    {"１２ー３", 12.0, false},
    {"ーー１", 0.0, false},
    {"ー", 0.0, false},
    {"１２。５。３", 12.5, false},
    {"＆Ｈー１", 0.0, false},
    // hexadecimal and octal: 16-bit, then 32-bit signed
    {"&hff", 255.0},
    {"&HFFFF", -1.0},
    {"&H8000", -32768.0},
    {"&H7FFF", 32767.0},
    {"&H10000", 65536.0},
    {"&HFFFFFFFF", -1.0},
    {"&H80000000", -2147483648.0},
    {"&O17", 15.0},
    {"&o177777", -1.0},
    {"&O8", 0.0, false},
    {"&H", 0.0, false},
    {"&Hxyz", 0.0, false},
    {"&", 0.0, false},
    {"& H1", 1.0},
    // at the edges of the Double range
    {"1e-400", 0.0},
    {"1e-310", 1e-310},
    {"1.7976931348623157e308", 1.7976931348623157e308},
    {"0e999999", 0.0},
    {"0.000000000000000000000000000000000000000000001e45", 1.0},
    {"1000000000000000000000000000000e-30", 1.0},
};

TEST(ReadVal, Cases)
{
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadVal(c.text), c.value);
        EXPECT_EQ(ReadsWhole(c.text), c.whole);
    }
}

TEST(ReadVal, NegativeZeroAndSign)
{
    EXPECT_TRUE(std::signbit(ReadVal("-0")));
    EXPECT_EQ(ShowDecimal(ReadVal("-0")), "0");
    EXPECT_EQ(ShowVariant(ReadVal("-0")), "0");
    EXPECT_TRUE(std::signbit(ReadVal("-1e-400")));
}

TEST(ReadVal, BeyondTheDoubleRangeIsAnOverflow)
{
    for (const char* text : {"1e309", "-1e309", "1.8e308", "9999e99999999999999999999", "&H100000000",
                             "&HFFFFFFFFFFFFFFFFFFFF", "&O40000000000"}) {
        SCOPED_TRACE(text);
        try {
            ReadVal(text);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Overflow);
        }
    }
}

TEST(ReadVal, IllFormedUtf8ReadsAsAStop)
{
    EXPECT_EQ(ReadVal("12\xFF"
                      "3"),
              12.0);
    EXPECT_EQ(ReadVal("\xE3\x80"), 0.0);
    EXPECT_EQ(ReadVal("7\xC3"), 7.0);
}

TEST(NarrowSingle, RoundsToNearestSingle)
{
    EXPECT_EQ(static_cast<double>(NarrowSingle(0.1)), 0.100000001490116119384765625);
    EXPECT_EQ(NarrowSingle(70.000001), 70.0f);
    EXPECT_GT(NarrowSingle(70.00001), 70.0f);
    EXPECT_EQ(NarrowSingle(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowSingle(-1e39), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ShowDecimal(NarrowSingle(0.1)), "0.1");
}

TEST(Compare, DoubleAgainstSingleAfterRounding)
{
    // 19.99999999 (Double) is not less than 20 (Single).
    EXPECT_FALSE(lessThan(19.99999999, 20.0f));
    EXPECT_TRUE(lessThan(19.9999, 20.0f));
    EXPECT_FALSE(lessThan(20.0, 20.0f));
    // Beyond the Single range the Double rounds to infinity.
    EXPECT_FALSE(lessThan(1e300, std::numeric_limits<float>::infinity()));
}

struct ShowSingleCase {
    float value;
    const char* decimal;
    const char* variant;
};

const ShowSingleCase kSingleCases[] = {
    {0.04375f, "0.04375", "0.04375"},
    {1.0f / 3.0f, "0.3333333", "0.3333333"},
    {0.000015f, "0.000015", "1.5E-05"},
    {1234567.9f, "1234568", "1234568"},
    {12345678.0f, "12345680", "1.234568E+07"},
    {0.0f, "0", "0"},
    {-0.0f, "0", "0"},
    {-2.5f, "-2.5", "-2.5"},
    {0.0001f, "0.0001", "0.0001"},
    {1e-30f, "0", "1E-30"},
    {1.2345678e-20f, "0.00000000000000000001234568", "1.234568E-20"},
    {3.4e38f, "", "3.4E+38"},  // ShowDecimal overflows at 2^96
};

TEST(ShowSingle, Cases)
{
    for (const ShowSingleCase& c : kSingleCases) {
        SCOPED_TRACE(c.variant);
        if (std::strlen(c.decimal) != 0) {
            EXPECT_EQ(ShowDecimal(c.value), c.decimal);
        }
        EXPECT_EQ(ShowVariant(c.value), c.variant);
    }
}

struct ShowDoubleCase {
    double value;
    const char* decimal;
    const char* variant;
};

const ShowDoubleCase kDoubleCases[] = {
    {1.0 / 3.0, "0.333333333333333", "0.333333333333333"},
    {-2.5, "-2.5", "-2.5"},
    {100.0, "100", "100"},
    {0.0001, "0.0001", "0.0001"},
    {0.00001, "0.00001", "1E-05"},
    {1e15, "1000000000000000", "1E+15"},
    {1234567890123456.0, "1234567890123460", "1.23456789012346E+15"},
    {999999999999999.0, "999999999999999", "999999999999999"},
    {9999999999999999.0, "10000000000000000", "1E+16"},
    {0.0, "0", "0"},
    {-0.0, "0", "0"},
    {280.0 / 2.1, "133.333333333333", "133.333333333333"},
    {4.99999999999806e-06, "0.00000499999999999806", "4.99999999999806E-06"},
    {-2.04341458379003e-05, "-0.0000204341458379003", "-2.04341458379003E-05"},
    {0.000099999999999999995, "0.0001", "0.0001"},  // rounding lifts the exponent
    {123456.7890123456789, "123456.789012346", "123456.789012346"},
    {-1e-5, "-0.00001", "-1E-05"},
    {1.5e-27, "0.0000000000000000000000000015", "1.5E-27"},
    {1.23456789012345e-20, "0.0000000000000000000123456789012345", "1.23456789012345E-20"},
    {9.9999999999999795e-15, "0.00000000000000999999999999998", "9.99999999999998E-15"},
    {1.0000000000000001e-28, "0.0000000000000000000000000001", "1E-28"},
    {1e-29, "0", "1E-29"},
    {1e100, "", "1E+100"},
    {-1.7976931348623157e308, "", "-1.79769313486232E+308"},
};

TEST(ShowDouble, Cases)
{
    for (const ShowDoubleCase& c : kDoubleCases) {
        SCOPED_TRACE(c.variant);
        if (std::strlen(c.decimal) != 0) {
            EXPECT_EQ(ShowDecimal(c.value), c.decimal);
        }
        EXPECT_EQ(ShowVariant(c.value), c.variant);
    }
}

TEST(ShowDecimal, OverflowsFromTwoToTheNinetySix)
{
    const double limit = std::ldexp(1.0, 96);
    EXPECT_EQ(ShowDecimal(std::nextafter(limit, 0.0)), "79228162514264300000000000000");
    for (double v : {limit, -limit, 1e300, std::numeric_limits<double>::infinity()}) {
        try {
            ShowDecimal(v);
            ADD_FAILURE() << v;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Overflow);
        }
    }
}

TEST(Empty, ShowsZeroOrNothing)
{
    EXPECT_EQ(ShowDecimal(Result{}), "0");
    EXPECT_EQ(ShowVariant(Result{}), "");
    EXPECT_EQ(ShowDecimal(Result{2.5}), "2.5");
    EXPECT_EQ(ShowVariant(Result{2.5}), "2.5");
}

ErrorKind faultOf(Real (*f)())
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no error";
    return ErrorKind::EndlessSearch;
}

TEST(Real, FaultsOfTheNumericModel)
{
    EXPECT_EQ(faultOf([] { return Real(1) / Real(0); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { return Real(0) / Real(0); }), ErrorKind::DivisionByZero);
    EXPECT_EQ(faultOf([] { return Real(1e308) * Real(10); }), ErrorKind::Overflow);
    EXPECT_EQ(faultOf([] { return Real(1e308) + Real(1e308); }), ErrorKind::Overflow);
    EXPECT_EQ(faultOf([] { return ln(Real(0)); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(faultOf([] { return ln(Real(-1)); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(faultOf([] { return power(Real(-8), Real(0.25)); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(faultOf([] { return power(Real(0), Real(-1)); }), ErrorKind::InvalidArgument);
    EXPECT_EQ(faultOf([] { return exponential(Real(710)); }), ErrorKind::Overflow);
    EXPECT_EQ(faultOf([] { return Real(std::numeric_limits<double>::infinity()) - Real(1); }),
              ErrorKind::Overflow);
}

TEST(Real, RoundsEachOperationInOrder)
{
    // K = ln(2.718282) is not 1.
    EXPECT_EQ(ShowVariant(ln(Real(2.718282)).value()), "1.00000006310639");
    EXPECT_EQ((Real(0.1) + Real(0.2)).value(), 0.1 + 0.2);
    EXPECT_EQ(power(Real(-8), Real(3)).value(), -512.0);
    EXPECT_EQ(exponential(Real(-800)).value(), 0.0);
}

// The three functions at hard cases, against values worked out independently
// to 120 significant digits with Python's decimal module and rounded to the
// nearest Double (tools/rounded_cases.py prints these rows).
enum class Fn { Ln, Exp, Pow };
constexpr double kOverflows = std::numeric_limits<double>::infinity();

struct RoundedCase {
    Fn fn;
    double x;
    double y;  // the exponent of Pow
    double expected;
};

const RoundedCase kRoundedCases[] = {
    // The C library of this machine rounds these the other way on one of its code paths.
    {Fn::Pow, 0x1.297edd714f6e1p+6, 0x1.a7cd470103138p+3, 0x1.427d255107fa0p+82},
    {Fn::Pow, 0x1.12112ceb85921p+8, 0x1.29a814fcf4c80p+4, 0x1.941bd26cf71bdp+150},
    {Fn::Exp, 0x1.7927f5e7bc884p+7, 0, 0x1.0afc262071611p+272},
    {Fn::Exp, -0x1.3cbe9787437bep+9, 0, 0x1.0c75b5b87d2f7p-914},
    {Fn::Exp, -0x1.ab22d4a5c3124p+7, 0, 0x1.d94076a7428f7p-309},
    {Fn::Pow, 0x1.87364b7d66936p+5, -0x1.614e104acdb46p+4, 0x1.0f1364362ad1bp-124},
    {Fn::Pow, 0x1.40896a8f1c969p+9, 0x1.94afd60084a84p+3, 0x1.e46294ee4cc38p+117},
    {Fn::Pow, 0x1.219757c4adbaep+8, 0x1.bce88b8c5f720p+3, 0x1.9fea2cec7c92ap+113},
    {Fn::Exp, -0x1.67d29889824b0p+8, 0, 0x1.d8fd156935302p-520},
    {Fn::Exp, -0x1.5a1451a6a7967p+9, 0, 0x1.57f0cca1a8e9fp-999},
    {Fn::Pow, 0x1.7262a508756c3p+9, -0x1.26b650ff2a04fp+5, 0x1.c34a3cbd41e50p-352},
    {Fn::Exp, 0x1.3840357be4392p+8, 0, 0x1.65b9650a34204p+450},
    {Fn::Ln, 0x1.eeaa46b17fd1dp-1, 0, -0x1.1a2968e403ffcp-5},
    {Fn::Ln, 0x1.e66ed9057a165p+0, 0, 0x1.48a9f6f1a1000p-1},
    {Fn::Ln, 0x1.6c53789a30affp-1, 0, -0x1.5c7126ff3d001p-2},
    {Fn::Ln, 0x1.314bb44ce0487p-1, 0, -0x1.08b9f52bf7800p-1},
    {Fn::Pow, 0x1.4d361f654b34dp+9, -0x1.6a256a4f7bcd3p+4, 0x1.9b9e3c56cb44fp-213},
    {Fn::Exp, 0x1.2b8e3025c7e80p+3, 0, 0x1.6b5a045a7431dp+13},
    {Fn::Exp, 0x1.1ddfc90d801acp+7, 0, 0x1.290fbb7ac3e55p+206},
    {Fn::Pow, 0x1.11bdc0661413dp+8, -0x1.2dc6c2b93617ep+5, 0x1.7de5df91fb125p-306},
    // Subnormal results, the least subnormal, and ties that round to 0.
    {Fn::Exp, -0x1.6280000000000p+9, 0, 0x0.8bfe55de02338p-1022},
    {Fn::Exp, -0x1.6840000000000p+9, 0, 0x0.00005cf08fff0p-1022},
    {Fn::Exp, -0x1.74385446d71c3p+9, 0, 0x0.0000000000001p-1022},
    {Fn::Exp, -0x1.74910d52d3051p+9, 0, 0x0.0000000000001p-1022},
    {Fn::Exp, -0x1.74910d52d3052p+9, 0, 0x0.0p+0},
    {Fn::Exp, -0x1.7500000000000p+9, 0, 0x0.0p+0},
    {Fn::Pow, 0x1.0000000000000p+1, -0x1.0c80000000000p+10, 0x0.0000000000001p-1022},
    {Fn::Pow, 0x1.0000000000000p+1, -0x1.0ca0000000000p+10, 0x0.0000000000001p-1022},
    {Fn::Pow, 0x1.0000000000000p+1, -0x1.0cc0000000000p+10, 0x0.0p+0},
    {Fn::Pow, 0x1.4000000000000p+3, -0x1.3600000000000p+8, 0x0.012688b70e62bp-1022},
    {Fn::Pow, 0x1.0000000000000p-1, 0x1.0c6cccccccccdp+10, 0x0.0000000000001p-1022},
    {Fn::Pow, 0x1.999999999999ap-4, 0x1.404cccccccccdp+8, 0x0.00000000003f6p-1022},
    // Next to the overflow thresholds.
    {Fn::Exp, 0x1.62e42fefa39efp+9, 0, 0x1.fffffffffff2ap+1023},
    {Fn::Exp, 0x1.62e42fefa39f0p+9, 0, kOverflows},
    {Fn::Exp, 0x1.62e51eb851eb8p+9, 0, kOverflows},
    {Fn::Pow, 0x1.0000000000000p+1, 0x1.fffffffffffffp+9, 0x1.ffffffffffd3ap+1023},
    {Fn::Pow, 0x1.0000000000000p+1, 0x1.0000000000000p+10, kOverflows},
    {Fn::Pow, 0x1.4000000000000p+3, 0x1.34413509f79ffp+8, kOverflows},
    {Fn::Pow, 0x1.4000000000000p+3, 0x1.34413509f7a00p+8, kOverflows},
    {Fn::Pow, 0x1.000001ad7f29bp+0, 0x1.a731670000000p+32, kOverflows},
};

TEST(Rounded, HardCasesAgainstAnIndependentEvaluation)
{
    for (const RoundedCase& c : kRoundedCases) {
        const double got = c.fn == Fn::Ln    ? roundedLn(c.x)
                           : c.fn == Fn::Exp ? roundedExp(c.x)
                                             : roundedPow(c.x, c.y);
        std::uint64_t gotBits = 0;
        std::uint64_t expectedBits = 0;
        std::memcpy(&gotBits, &got, sizeof got);
        std::memcpy(&expectedBits, &c.expected, sizeof c.expected);
        EXPECT_EQ(gotBits, expectedBits)
            << std::hexfloat << c.x << " " << c.y << ": " << got << ", not " << c.expected;
        // Through the numeric model an infinity is the overflow error.
        if (c.expected == kOverflows) {
            try {
                c.fn == Fn::Exp ? exponential(Real(c.x)) : power(Real(c.x), Real(c.y));
                ADD_FAILURE() << "no overflow";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.kind(), ErrorKind::Overflow);
            }
        }
    }
}

TEST(ErrorMessages, OneDistinctTextPerKind)
{
    const ErrorKind kinds[] = {ErrorKind::DivisionByZero, ErrorKind::Overflow, ErrorKind::InvalidArgument,
                               ErrorKind::EndlessSearch};
    for (ErrorKind a : kinds)
        for (ErrorKind b : kinds)
            EXPECT_EQ(a == b, std::strcmp(errorMessage(a), errorMessage(b)) == 0);
    EXPECT_STREQ(errorMessage(ErrorKind::DivisionByZero), "0 で除算しました。");
}

// A failure of a window run inside a handler, passed on, is reported as that
// window reported it: its message, its kind, whether it was unexpected.
TEST(ErrorPolicy, AFailurePassedOnIsReportedUnchanged)
{
    const Failure failures[] = {
        {errorMessage(ErrorKind::Overflow), ErrorKind::Overflow},
        {"種類を選んでください。"},
        {kOutOfMemoryMessage, std::nullopt, true},
    };
    for (const Failure& f : failures) {
        try {
            throw PassedOnFailure(f);
        } catch (...) {
            EXPECT_EQ(currentFailure(), f) << f.message;
        }
    }
}

}  // namespace
