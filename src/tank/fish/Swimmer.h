#pragma once
// The swimming state and rules that the main fish and the food fish share: heading and pitch
// with their targets, the turning spread along the body, speed, position, the swimming box,
// the direction flags and the wall rules. All angles are degrees, speeds distances per frame.

namespace quelmarine {

enum class TurnKind {
    Random = 0,
    Reverse = 1,
    Nudge = 2,
    Dodge = 4,
    Sidestep = 5,
    GiveWay = 6,
    Steer = 7
};
enum class TiltKind { Random = 0, Mirror = 3, Step = 5, Steer = 7 };
// The wall whose rule fired last in ApplyWalls: the sides are -x (Left) and +x (Right), the
// front is +z (toward the viewer), the top +y and the bottom -y.
enum class Wall { None, Left, Right, Front, Top, Bottom };

// What differs between the swimmers in the shared rules.
struct SwimRules {
    float minSpeed = 0.1f, maxSpeed = 0.4f;
    float wallSpeed = 0.1f;    // the speed every wall rule eases toward
    bool easeStepsBack = true; // EaseSpeed takes back a step that overshoots in the same call
    int nudgeModulo = 15;      // a Nudge turn is by rand() % nudgeModulo degrees
};

inline constexpr int kMaxSegments = 15;

class Swimmer {
  public:
    explicit Swimmer(const SwimRules& rules = SwimRules{}) : rules(rules) {}

    // Stores the swimming box: yMax = yTop + 10, yMin = yBottom + 5.
    void SetBounds(float xMin, float xMax, float yTop, float yBottom, float zMin, float zMax);

    // Changes targetHeading; ignored while the fish is still turning (|heading - target| > 0.1).
    void Turn(float amount, bool dir, TurnKind kind);
    // Changes targetPitch, kept within -45 ... 45.
    void Tilt(float amount, bool dir, TiltKind kind);
    void EaseSpeed(float step, float target);
    // -75 < z < -60 or -90 < z < -75.
    bool InDepthBand() const;

    void UpdateDirectionFlags();
    // One movement step along the heading and the target pitch, then the wall rules.
    void Move();
    void ApplyWalls();

    // The per-segment yaw of a turn: the head steps toward `target` every third call and the
    // body spreads behind it; once the head arrives the segments catch up. `copyFirst` gives
    // segment 0 the yaw of segment 1 while turning (the main fish does, the food fish not).
    void ComputeTurnYaw(float* yaw, int count, float target, bool copyFirst);

    // Pitch eases by one degree per call toward targetPitch.
    void EasePitch();

    // The wander step both creatures share: once the timer has passed `wanderAfter`, restart
    // it at rand() % `restartSpan`, pick a cruising speed of 0.1 ... 0.4 and, unless still
    // turning, a random heading inside the depth bands and a random pitch. Returns the new
    // speed, or a negative value when it is not time yet.
    float WanderStep(int wanderAfter, int restartSpan);

    SwimRules rules;
    float speed = 0.1f;
    float targetPitch = 0, targetHeading = 0;
    float pitch = 0, heading = 0;
    bool eating = false;

    // Turn state.
    int turnTick = 0;
    bool turnReached = false, turnSettled = false;
    int segmentYaw[kMaxSegments] = {};
    float turnTarget = 0;

    float x = 0, y = 0, z = 0;

    // Direction flags, from heading, pitch, targetHeading and targetPitch.
    bool movingMinusX = false, movingPlusX = false, movingPlusZ = false, movingMinusZ = false;
    bool pitchUp = false, pitchDown = false;
    bool aimMinusX = false, aimPlusX = false, aimPlusZ = false, aimMinusZ = false;
    bool aimUp = false, aimDown = false;

    float xMin = 0, xMax = 0, yMax = 0, yMin = 0, zMin = 0, zMax = 0;
    Wall lastWall = Wall::None;
    int wanderTimer = 0;

    bool turning() const;
};

// Heading h heads toward -x when cos h >= 0 (the model's nose points along -x at heading 0).
bool headsMinusX(float heading);
// Heading h heads toward +z when sin h >= 0.
bool headsPlusZ(float heading);

} // namespace quelmarine
