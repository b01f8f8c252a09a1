#include "fit/fit_statistics.h"

#include "fit/fit.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace torvel {
namespace {

using namespace testing_support;

struct ReferenceSet {
    std::string Name;
    int Degree = 0;
    std::vector<std::string> X, Y;
    std::vector<Real> Sd;
    Real ResidualSd = 0;
};

std::vector<ReferenceSet> ReadReferenceSets() {
    std::ifstream in(TORVEL_FIT_TEST_DATA "/reference_fits.txt");
    std::vector<ReferenceSet> sets;
    std::string line, key, value;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        if (!(words >> key) || key[0] == '#') continue;
        if (key == "set") {
            sets.emplace_back();
            words >> sets.back().Name >> sets.back().Degree;
        }
        ReferenceSet& set = sets.back();
        while (words >> value) {
            if (key == "x") set.X.push_back(value);
            if (key == "y") set.Y.push_back(value);
            if (key == "sd") set.Sd.push_back(std::stold(value));
            if (key == "residual-sd") set.ResidualSd = std::stold(value);
        }
    }
    return sets;
}

// |got - certified| within 1e-13 of the certified value, or of `scale` where
// the certified value is 0.
void ExpectCertified(std::optional<Real> got, Real certified, Real scale, const char* what) {
    ASSERT_TRUE(got) << what;
    const Real tolerance = 1e-13L * (certified != 0 ? certified : scale);
    EXPECT_LE(std::fabs(*got - certified), tolerance) << what << ": " << *got;
}

TEST(FitStatisticsTest, ReferenceSetsGiveTheCertifiedFigures) {
    const std::vector<ReferenceSet> sets = ReadReferenceSets();
    ASSERT_EQ(sets.size(), 7u);
    for (const ReferenceSet& set : sets) {
        SCOPED_TRACE(set.Name);
        ASSERT_EQ(set.X.size(), set.Y.size());
        ASSERT_EQ(set.Sd.size(), static_cast<std::size_t>(set.Degree + 1));
        Document doc;
        RecordingFeedback fb;
        Cells cells;
        for (std::size_t i = 0; i < set.X.size(); ++i)
            cells.push_back({set.X[i], set.Y[i]});
        Series& s = AddSeries(doc, cells);
        s.Fit.FitKind = set.Degree;
        ComputeFit(doc, s.Fit, fb);
        const std::optional<FitStatistics> st = ComputeFitStatistics(doc, s);
        ASSERT_TRUE(st);
        EXPECT_EQ(st->N, static_cast<int>(set.X.size()));
        EXPECT_EQ(st->DegreesOfFreedom(), st->N - set.Degree - 1);
        for (int k = 0; k <= set.Degree; ++k) {
            const auto i = static_cast<std::size_t>(k);
            // The figures describe the very coefficients the fit shows.
            EXPECT_EQ(st->Coef[i], s.Fit.Coef[i + 1]) << "coefficient " << k;
            SCOPED_TRACE(k);
            ExpectCertified(st->StandardError[i], set.Sd[i], std::fabs(st->Coef[i]),
                            "standard error");
        }
        ExpectCertified(st->ResidualSD, set.ResidualSd, std::fabs(st->Coef[0]),
                        "residual standard deviation");
    }
}

TEST(FitStatisticsTest, AsManyPointsAsCoefficientsLeaveNoResidualVariance) {
    Document doc;
    RecordingFeedback fb;
    Series& s = AddSeries(doc, "1:3 2:7 4:1");
    EXPECT_FALSE(ComputeFitStatistics(doc, s)); // no fit yet
    s.Fit.FitKind = 2;
    ComputeFit(doc, s.Fit, fb);
    const std::optional<FitStatistics> st = ComputeFitStatistics(doc, s);
    ASSERT_TRUE(st);
    EXPECT_EQ(st->DegreesOfFreedom(), 0);
    EXPECT_EQ(st->ResidualSumOfSquares, 0);
    EXPECT_EQ(st->RSquared, 1);
    EXPECT_FALSE(st->ResidualSD);
    EXPECT_FALSE(st->AdjustedRSquared);
    for (const auto& se : st->StandardError)
        EXPECT_FALSE(se);
    const std::string report = FitStatisticsReport(s.SeriesNumber, *st);
    EXPECT_NE(
        report.find("\nB                             11                        not defined\n"),
        std::string::npos)
        << report;
    EXPECT_NE(report.find("\nResidual standard deviation   not defined\n"), std::string::npos);
    EXPECT_NE(report.find("\nDegrees of freedom (n - p)    0\n"), std::string::npos);
}

// The power fit's figures are those of the least-squares line through
// (ln X, ln Y), here worked out plainly about the means.
TEST(FitStatisticsTest, PowerFitIsTheStraightLineOfTheLogarithms) {
    Document doc;
    RecordingFeedback fb;
    Cells cells;
    std::vector<Real> u, v;
    for (int i = 1; i <= 12; ++i) {
        const Real x = i * 0.75L, y = 2.5L * std::pow(x, 1.3L) * (1 + ((i * 7) % 5 - 2) * 0.01L);
        cells.push_back({ShortestText(x), ShortestText(y)});
        u.push_back(std::log(x));
        v.push_back(std::log(y));
    }
    const auto n = static_cast<Real>(u.size());
    Real mu = 0, mv = 0, suu = 0, suv = 0, svv = 0, sse = 0;
    for (std::size_t i = 0; i < u.size(); ++i) {
        mu += u[i] / n;
        mv += v[i] / n;
    }
    for (std::size_t i = 0; i < u.size(); ++i) {
        suu += (u[i] - mu) * (u[i] - mu);
        suv += (u[i] - mu) * (v[i] - mv);
        svv += (v[i] - mv) * (v[i] - mv);
    }
    const Real b = suv / suu, a = mv - b * mu;
    for (std::size_t i = 0; i < u.size(); ++i)
        sse += (v[i] - a - b * u[i]) * (v[i] - a - b * u[i]);
    const Real s2 = sse / (n - 2);

    Series& s = AddSeries(doc, cells);
    s.Fit.FitKind = 6;
    ComputeFit(doc, s.Fit, fb);
    const std::optional<FitStatistics> st = ComputeFitStatistics(doc, s);
    ASSERT_TRUE(st);
    auto near = [](std::optional<Real> got, Real want) {
        ASSERT_TRUE(got);
        EXPECT_NEAR(*got, want, std::fabs(want) * 1e-15L);
    };
    near(st->Coef[0], a);
    near(st->Coef[1], b);
    near(st->StandardError[0], std::sqrt(s2 * (1 / n + mu * mu / suu)));
    near(st->StandardError[1], std::sqrt(s2 / suu));
    near(st->ResidualSD, std::sqrt(s2));
    near(st->RSquared, 1 - sse / svv);
    near(st->AdjustedRSquared, 1 - s2 / (svv / (n - 1)));
    const std::string report = FitStatisticsReport(s.SeriesNumber, *st, 6);
    EXPECT_NE(report.find("in ln X and ln Y: ln Y = ln A + B*ln X\n"), std::string::npos);
    EXPECT_NE(report.find("\nln A "), std::string::npos) << report;
}

} // namespace
} // namespace torvel
