#pragma once

class QObject;
class Timer;

// Drives a Timer model from a QTimer owned by `owner`.
void bindTimer(Timer &timer, QObject *owner);
