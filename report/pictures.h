#pragma once

// The pictures of an estimate, made from the engine's records: the same SVG
// for the worksheet, the windows and the page. Each carries the title and
// the description its SVG holds (Picture, charts/bar_chart.h), for a front
// end that shows the picture where a screen reader cannot read SVG.

#include "calc/record.h"
#include "charts/bar_chart.h"

namespace levywise {

struct History;

// "Where the tax goes": each taxing unit and each taxed special district,
// the largest tax first, the total under them.
Picture WhereTheTaxGoesOf(const EstimateRecord& record);

// "What changed": each unit's, each special district's (matched by code)
// and the total tax, kept beside now, the change written by each pair.
Picture WhatChangedOf(const EstimateRecord& kept, const EstimateRecord& now);

// "Over the years": each unit's and district's tax under each rate file.
Picture OverTheYearsOf(const History& history);

} // namespace levywise
