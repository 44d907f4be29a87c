// The solving techniques, each written once over the working tables and
// shared by both families of runs; one header per family.
#pragma once

#include "techniques/block_pairs.h"
#include "techniques/consistency.h"
#include "techniques/digit_lists.h"
#include "techniques/naked_pairs.h"
#include "techniques/naked_triples.h"
#include "techniques/placement.h"
#include "techniques/singles.h"
