#pragma once

namespace ruvo {

// The arrow keys move the page frame 600 twips (two moves of 300), or snap it
// to the edge when the edge is nearer than that. Each returns the frame's new
// top or left in twips.
double scrollUp(double top);
double scrollDown(double top, double frameHeight, double areaHeight);
// Only a frame wider than the area moves left.
double scrollLeft(double left, double frameWidth, double areaWidth);
double scrollRight(double left, double frameWidth, double areaWidth);

} // namespace ruvo
