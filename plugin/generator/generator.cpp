#include "generator/generator.h"

// Placeholder until the generation driver lands.
ASErr generateHearts(ParameterRecord*) { return kNotImplementedErr; }
