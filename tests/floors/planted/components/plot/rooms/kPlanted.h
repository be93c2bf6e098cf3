// leaves its floor: a concept the floors do not list yet.
