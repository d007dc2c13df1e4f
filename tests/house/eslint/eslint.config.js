// The web pages' scripts: plain browser scripts that share the page's globals, live.js first.
const js = require('@eslint/js');
const globals = require('globals');

module.exports = [
  {
    files: ['src/network/web/**/*.js'],
    ...js.configs.recommended,
    languageOptions: {
      ecmaVersion: 2022,
      sourceType: 'script',
      globals: { ...globals.browser },
    },
  },
  {
    // live.js hands Live to the page scripts that follow it.
    files: ['src/network/web/live.js'],
    rules: { 'no-unused-vars': ['error', { varsIgnorePattern: '^Live$' }] },
  },
  {
    files: ['src/network/web/**/*.js'],
    ignores: ['src/network/web/live.js'],
    languageOptions: { globals: { Live: 'readonly' } },
  },
];
