#pragma once
// Enumerated values and colours as a form resource names them.

#include "framework/Colors.h"
#include "framework/FormText.h"

enum class TAlign;

TAlign AlignValue(const PropertyValue& value);
// A colour given by its name (clRed, clBtnFace, ...) or as a number.
TColor ColorValue(const PropertyValue& value);
