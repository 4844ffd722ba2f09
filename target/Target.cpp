#include "target/Target.h"

CustomisationTarget Target = {};
DefaultIconLocations DefaultIcons = {};
WORD ShownIconIndex = 0;

const IconLocation& DefaultIconFor(TargetKind kind)
{
    return kind == TargetKind::Drive ? DefaultIcons.drive : DefaultIcons.folder;
}
