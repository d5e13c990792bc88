// The registration of each group of particle script functions. Internal to particles/.
#pragma once

void Particles_ImplementTypeFunctions();
void Particles_ImplementSystemFunctions();
void Particles_ImplementEffectFunctions();
