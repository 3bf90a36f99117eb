#include "engine/routines.h"

#include "engine/fast_search.h"
#include "engine/rules.h"

namespace velmora {

namespace {

constexpr Routines kRoutines8{8, &InitBoard, &IsLegalOn<8>, &MakeMoveOn<8>, &FastSearchOn<8>};
constexpr Routines kRoutines10{10, &InitBoard, &IsLegalOn<10>, &MakeMoveOn<10>, &FastSearchOn<10>};

}  // namespace

const Routines& SelectRoutines(int size) {
    return size == 10 ? kRoutines10 : kRoutines8;
}

}  // namespace velmora
