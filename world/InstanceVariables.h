// Supplies the getters and setters of every instance's built-in variables.
#pragma once

void World_ImplementInstanceVariables();
