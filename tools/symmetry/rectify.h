// Rectifying a pattern seen in perspective: the quadrilateral of the
// picture that is a rectangle of the pattern, mapped back to a rectangle
// by the homography its four corners give, with bilinear sampling.
#pragma once

#include "picture_file.h"
#include "symmetry.h"

#include <string>

// Reads "x1,y1,x2,y2,x3,y3,x4,y4" (finite numbers, continuous pixel
// coordinates) into `corners`; false when the text is not eight numbers.
bool parse_corners(const std::string& text, real_point corners[4]);

// True when the four corners, taken in order, go round a convex
// quadrilateral (either way round) with no three of them in a line.
bool convex_quadrilateral(const real_point corners[4]);

// The quadrilateral `corners` of `picture`, taken as top-left, top-right,
// bottom-right, bottom-left, mapped onto a rectangle of about its area
// whose sides keep the mean proportion of its opposite sides (at most
// largest_side each). False with the reason when the corners do not make a
// convex quadrilateral or one lies outside the picture.
bool rectify(const rgb_picture& picture, const real_point corners[4], rgb_picture& rectified, std::string& reason);
