#include "game/ring.h"

#include "game/game_state.h"

namespace game {
namespace {

// The cells of one ring, addressed by place.
class Ring {
 public:
  Ring(int centreCol, int centreRow) : col_(centreCol), row_(centreRow) {}
  std::int16_t& operator[](int place) const {
    const CellOffset o = kRingOffsets[place];
    return Board[col_ + o.dc][row_ + o.dr];
  }

 private:
  int col_, row_;
};

}  // namespace

void TurnRingClockwise(int centreCol, int centreRow) {
  const Ring ring(centreCol, centreRow);
  const std::int16_t t = ring[NW];
  ring[NW] = ring[W];
  ring[W] = ring[SW];
  ring[SW] = ring[S];
  ring[S] = ring[SE];
  ring[SE] = ring[E];
  ring[E] = ring[NE];
  ring[NE] = ring[N];
  ring[N] = t;
}

void TurnRingCounterclockwise(int centreCol, int centreRow) {
  const Ring ring(centreCol, centreRow);
  const std::int16_t t = ring[NW];
  ring[NW] = ring[N];
  ring[N] = ring[NE];
  ring[NE] = ring[E];
  ring[E] = ring[SE];
  ring[SE] = ring[S];
  ring[S] = ring[SW];
  ring[SW] = ring[W];
  ring[W] = t;
}

}  // namespace game
