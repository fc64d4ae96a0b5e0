#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console output, plus a closing table of medians built from the names:
// a benchmark "a/b/variant" is compared with "a/b/reference" of the same run,
// and the parts "app/<size>/<part>" are shown as shares of "app/<size>/frameStep".
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void printTables() const;

  private:
    struct Median {
        double ms;
        double updatesPerSecond;
    };
    std::map<std::string, Median> medians_;
    std::vector<std::string> order_;

    void printRatios() const;
    void printShares() const;
};
