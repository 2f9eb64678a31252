#pragma once
// Physical models of the chart window: one include for the chart code.
//
// Viscosity (isotherm mode, property "Viscosity"):
//   ViscosityModel            the twelve models: captions() fills cbModel1 in order,
//                             fromCaption(text) is the model chosen by the list's text.
//   ViscosityCatalogue        builtIn(): systems, ranges, blocks (publication key, E1, E2,
//                             A1, A2, per model an A and an E row or "no rows").
//   ViscosityEngine.h         viscosityAt / viscosityCurve (101 points), WriteViscosityHeader,
//                             viscosityValueLines (MemoViscoModel lines), viscosityCurveTitle.
//   ViscosityModelRun         the panel's handlers without widgets: edModelChange,
//                             cbModel1Change, RunViscosityModel (status, message, curve,
//                             107 buffer lines), sbClear1Click, NextModelColour; see its header.
// Butler (property "Surface tension"):
//   ButlerFit, ButlerCatalogue builtIn(): isothermFit(system), temperatureFits(system)
//                             (Bi-Sn: two); complete() is false for a fit without rows.
//   ButlerModelRun            sbButlerClick (questions and boxes through korvel::ui()),
//                             DrawButlerIsotherms (armed chain T1..T4),
//                             DrawButlerTemperatureCurve; see its header.
// Colours (ModelColours.h): modelColour(i) (viscosity model table), seriesColour(i)
// (SeriesColours), isothermColour(slot); four entries are system colours that the
// chart resolves from the palette (ChartColour::Role).
// A curve (ModelCurve.h): points, legend title, colour, width 3. A selection the
// catalogues hold no rows for is refused with notAvailableMessage().
//
// ModelTemperature is one field of the chart window shared by both models: after
// a run, read it from the run object that ran last (modelTemperature()).
#include "ButlerCatalogue.h"
#include "ButlerFit.h"
#include "ButlerModelRun.h"
#include "ModelColours.h"
#include "ModelCurve.h"
#include "ViscosityCatalogue.h"
#include "ViscosityEngine.h"
#include "ViscosityModel.h"
#include "ViscosityModelRun.h"
