#pragma once
// A line analysis for people: the reported and computed figures by
// direction, the loop, taps, disturbers and the findings; NoFigureText for a figure
// the snapshot cannot give.

#include <string>

struct TLineAnalysis;

std::string AnalysisSummary(const TLineAnalysis &AAnalysis);
