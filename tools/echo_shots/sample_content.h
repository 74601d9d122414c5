#pragma once

namespace corvanta {

class Echo;
class Libelles;

// Fills the main window's lists and boxes with what a running program shows after
// start-up (points, ports, zones, a patient with curves, doctor details), so that a
// picture of the window shows every control with realistic content.
void fillSampleContent(Echo& echo, const Libelles& libelle);

}  // namespace corvanta
